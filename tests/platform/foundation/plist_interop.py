#!/usr/bin/env python3
"""The other side of the property-list interoperability tests.

  plist_interop.py write <folder>   writes sample.xml and sample.bin with plistlib
  plist_interop.py check <file>     reads a list with plistlib and compares it with the sample
"""
import datetime
import plistlib
import sys


def sample():
    return {
        "string": "h\u00e9llo w\u00f6rld \u2713",
        "empty": "",
        "integer": 42,
        "negative": -7,
        "large": 2**40,
        "unsigned": 2**64 - 1,
        "minimum": -(2**63),
        "real": 3.25,
        "true": True,
        "false": False,
        "data": b"\x00\x01\xfeplist",
        "date": datetime.datetime(2012, 3, 4, 10, 11, 12),
        "array": [1, "two", [3.5], {}],
        "nested": {"type": 1, "gesture": 2},
    }


def differences(expected, actual, where="root"):
    if type(expected) is not type(actual):
        return [f"{where}: expected {expected!r}, found {actual!r}"]
    if isinstance(expected, dict):
        found = []
        for key in sorted(set(expected) | set(actual)):
            if key not in actual:
                found.append(f"{where}: missing key {key!r}")
            elif key not in expected:
                found.append(f"{where}: unexpected key {key!r}")
            else:
                found += differences(expected[key], actual[key], f"{where}.{key}")
        return found
    if isinstance(expected, list):
        if len(expected) != len(actual):
            return [f"{where}: expected {len(expected)} elements, found {len(actual)}"]
        found = []
        for index, (left, right) in enumerate(zip(expected, actual)):
            found += differences(left, right, f"{where}[{index}]")
        return found
    return [] if expected == actual else [f"{where}: expected {expected!r}, found {actual!r}"]


def main(arguments):
    if len(arguments) != 3 or arguments[1] not in ("write", "check"):
        print(__doc__)
        return 2
    if arguments[1] == "write":
        with open(f"{arguments[2]}/sample.xml", "wb") as file:
            plistlib.dump(sample(), file, fmt=plistlib.FMT_XML)
        with open(f"{arguments[2]}/sample.bin", "wb") as file:
            plistlib.dump(sample(), file, fmt=plistlib.FMT_BINARY)
        return 0
    with open(arguments[2], "rb") as file:
        found = differences(sample(), plistlib.load(file))
    for line in found:
        print(line)
    return 1 if found else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
