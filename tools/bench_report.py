#!/usr/bin/env python3
"""Prints the benchmark tables of tools/bench, each ratio next to its goal.

    bench_report.py time JSON                  medians of CPU time from Google Benchmark's JSON
    bench_report.py instructions DIR [--check] instruction counts from the callgrind dumps in DIR

With --check it exits 1 when a goal is missed. The goals are defined here
once, for both tables; they are settled on the instruction counts.
"""
import glob
import json
import re
import sys

SWITCH_GOAL = 1.05  # repeated switch, extension / platform
FIRST_SWITCH_GOAL = 3.00  # first switch to a letters keyplane
NUMBERS_FIRST_SWITCH_GOAL = 2.50  # first switch to a numbers or symbols keyplane
DRAG_GOAL = 1.10  # the extension's added work per drag / its floor
DRAWING_GOAL = 1.15  # first keyplane drawing, against the platform's with its key-image cache off
KEPT_DRAWING_GOAL = 1.10  # keyplane drawn again, against the platform's with its cache on
SHIFT_TAP_GOAL = 1.10  # shift tap with its drawing on a warm keyboard, against the platform's with its cache on
ORIENTATIONS = ("Portrait", "Landscape")
# The drags: on "q" (the first key, the platform's cheapest hit test) and on
# every letter in turn, with either gesture; each against the floor at its points.
DRAGS = (
    ("drag", "drag event on \"q\", Flick up", "keyHitTest"),
    ("dragSlide", "drag event on \"q\", Slide up", "keyHitTest"),
    ("dragLetters", "drag event, every letter in turn, Flick up", "keyHitTestLetters"),
    ("dragLettersSlide", "drag event, every letter in turn, Slide up", "keyHitTestLetters"),
)
TIMER_REARM = "touchLongPressTimerWithDelay"


def first_switch_cases(names):
    return sorted({n.split("/")[1] for n in names if n.startswith("firstSwitch/")})


def first_switch_goal(case):
    if "Letters" in case:
        return FIRST_SWITCH_GOAL
    return NUMBERS_FIRST_SWITCH_GOAL if "Punctuation" in case else None


class Table:
    def __init__(self, number_format):
        self.number_format = number_format
        self.missed = []

    def row(self, label, platform, extension, goal, ratio=None):
        if platform is None or extension is None:
            # A goal that was not measured is not met: a run cut short must not pass the check.
            if goal is not None:
                self.missed.append(f"{label} (not measured)")
            return
        if ratio is None:
            ratio = extension / platform
        figures = f"| {label} | {self.number_format(platform)} | {self.number_format(extension)} | {ratio:.2f}× |"
        if goal is None:
            print(f"{figures} — | |")
            return
        met = ratio <= goal
        if not met:
            self.missed.append(label)
        print(f"{figures} ≤ {goal:.2f}× | {'met' if met else 'MISSED'} |")

    def rows(self, figures, floor_label):
        """The common rows; figures(name) gives the figure of a measure or None."""
        self.row("repeated keyplane switch", figures("repeatedSwitch/Platform"),
                 figures("repeatedSwitch/Extension"), SWITCH_GOAL)
        cases = first_switch_cases(figures.names)
        for kind, goal in (("letters", FIRST_SWITCH_GOAL), ("numbers", NUMBERS_FIRST_SWITCH_GOAL)):
            if not any(first_switch_goal(case) == goal for case in cases):
                self.missed.append(f"first switch to a {kind} keyplane (not measured)")
        for case in cases:
            self.row(f"first switch: {case}", figures(f"firstSwitch/{case}/Platform"),
                     figures(f"firstSwitch/{case}/Extension"), first_switch_goal(case))
        for name, label, hit_test in DRAGS:
            platform, extension = figures(f"{name}/Platform"), figures(f"{name}/Extension")
            self.row(label, platform, extension, None)
            parts = (figures(f"dragFloor/{hit_test}"), figures(f"dragFloor/{TIMER_REARM}"))
            if platform is None or extension is None or None in parts:
                self.missed.append(f"{label} against its floor (not measured)")
                continue
            floor_parts = f"`keyHitTest:` {self.number_format(parts[0])} + `{TIMER_REARM}:` {self.number_format(parts[1])}"
            self.row(f"{label}: {floor_label} ({floor_parts}) / added by the extension",
                     sum(parts), extension - platform, DRAG_GOAL)
        self.row("tap on \"q\"", figures("tap/Platform"), figures("tap/Extension"), None)
        self.row("rolled pair (\"w\" down while \"q\" is held, both up)", figures("rolledPair/Platform"),
                 figures("rolledPair/Extension"), None)
        self.row("flick (down, 10 drags, up)", figures("flick/Platform"), figures("flick/Extension"), None)
        for orientation in ORIENTATIONS:
            self.row(f"first keyplane drawing, {orientation.lower()} 2× (platform: its cache off)",
                     figures(f"keyplaneDrawing/{orientation}/Platform"),
                     figures(f"keyplaneDrawing/{orientation}/Extension"), DRAWING_GOAL)
        for orientation in ORIENTATIONS:
            self.row(f"keyplane drawn again, {orientation.lower()} 2× (platform: its cache on)",
                     figures(f"keptKeyplaneDrawing/{orientation}/Platform"),
                     figures(f"keptKeyplaneDrawing/{orientation}/Extension"), KEPT_DRAWING_GOAL)
        self.row("shift tap with its drawing, warm keyboard (platform: its cache on)", figures("shiftTap/Platform"),
                 figures("shiftTap/Extension"), SHIFT_TAP_GOAL)
        self.row("key view state 1 (pop-up)", figures("popupKeyViewDrawing/Platform"),
                 figures("popupKeyViewDrawing/Extension"), None)
        self.row("key view state 4 (cap)", figures("capKeyViewDrawing/Platform"),
                 figures("capKeyViewDrawing/Extension"), None)


class Figures:
    def __init__(self, values):
        self.values = values
        self.names = values.keys()

    def __call__(self, name):
        return self.values.get(name)


def instructions_report(folder, check):
    counts = {}
    for path in glob.glob(f"{folder}/callgrind.out.*"):
        with open(path, "rb") as dump:
            text = dump.read().decode("utf-8", "replace")
        trigger = re.search(r"^desc: Trigger: Client Request: (.+) x(\d+)$", text, re.M)
        summary = re.search(r"^summary: (\d+)$", text, re.M)
        if trigger and summary:
            counts[trigger.group(1)] = int(summary.group(1)) / int(trigger.group(2))
    if "nothing" not in counts:
        sys.exit(f"bench: no instruction counts in {folder}")
    # What measuring one operation costs by itself (the loop, the call) is taken off every figure.
    overhead = counts.pop("nothing")
    per_operation = {name: count - overhead for name, count in counts.items()}
    with open(f"{folder}/instructions.json", "w") as out:
        json.dump({"overhead": overhead, "instructions": per_operation}, out, indent=1, sort_keys=True)

    print()
    print("Instructions per operation (callgrind); ratio = extension / platform alone, and for a")
    print("drag's floor rows the instructions the extension adds to the platform's drag / the floor.")
    print()
    print("| operation | platform alone | with the extension | ratio | goal | |")
    print("|---|---:|---:|---:|---:|---|")
    table = Table(lambda value: f"{value:,.0f}")
    table.rows(Figures(per_operation), "floor")
    print()
    print(f"Measuring one operation costs {overhead:.0f} instructions by itself; it is taken off every figure.")
    print(f"Raw figures: {folder}/instructions.json")
    if check and table.missed:
        print(f"bench: goals missed: {', '.join(table.missed)}", file=sys.stderr)
        return 1
    return 0


def time_report(path):
    runs = json.load(open(path))["benchmarks"]
    median, counters = {}, {}
    for run in runs:
        name = re.sub(r"/iterations:\d+", "", run.get("run_name", run["name"]).replace(" ", ""))
        if run.get("aggregate_name", "median") == "median":
            scale = {"ns": 1e-3, "us": 1, "ms": 1e3}[run["time_unit"]]
            median[name] = run["cpu_time"] * scale  # microseconds
            counters[name] = run

    print()
    print("Medians of CPU time in µs; ratio = extension / platform alone. The goals are")
    print("settled on instruction counts (tools/bench --instructions): CPU times move with the load.")
    print()
    print("| measure | platform µs | extension µs | ratio | goal | |")
    print("|---|---:|---:|---:|---:|---|")
    Table(lambda value: f"{value:.3f}").rows(Figures(median), "floor")

    print()
    print("| absolute measure | figure | goal | |")
    print("|---|---:|---:|---|")
    for orientation in ORIENTATIONS:
        name = f"keyplaneDrawing/{orientation}/Extension"
        if name in median:
            ms = median[name] / 1000
            print(f"| extension keyplane drawing, {orientation.lower()} 2× | {ms:.2f} ms | < 4 ms | {'met' if ms < 4 else 'MISSED'} |")
        name = f"keyplaneDrawing/{orientation}/PlatformCacheOn"
        if name in median:
            print(f"| platform drawing with its cache on, {orientation.lower()} 2× (reference) | {median[name]/1000:.3f} ms | — | |")
    if "startup" in median:
        print(f"| initializeExtension | {median['startup']:.1f} µs | < 1000 µs | {'met' if median['startup'] < 1000 else 'MISSED'} |")
    for name in sorted(n for n in counters if n.startswith("memory")):
        c = counters[name]
        if "heap_growth" in c:
            grew = c["heap_growth"] > 0
            print(f"| {name}: heap after 1,000 / 100,000 | {c['heap_1k']/1024:.1f} / {c['heap_100k']/1024:.1f} KiB (growth {c['heap_growth']:+.0f} B) | no growth | {'MISSED' if grew else 'met'} |")
            print(f"| {name}: resident after 1,000 / 100,000 | {c['rss_1k']/1024:.0f} / {c['rss_100k']/1024:.0f} KiB (growth {c['rss_growth']/1024:+.0f} KiB) | no growth | {'MISSED' if c['rss_growth'] > 0 else 'met'} |")
    for name in sorted(n for n in counters if "kept_bytes" in counters[n] and n.endswith("Extension")):
        print(f"| {name}: keyplane pictures kept | {counters[name]['kept_bytes']/1024:.0f} KiB | — | |")
    for encoding in ("XML", "Binary"):
        name = f"settingsLoad/{encoding}"
        if name in median:
            ms = median[name] / 1000
            print(f"| largest settings file the readers accept, {encoding} ({counters[name].get('bytes', 0)/1024:.0f} KiB, {counters[name].get('keys', 0):.0f} keys), loaded | {ms:.2f} ms | < 5 ms | {'met' if ms < 5 else 'MISSED'} |")
    if "tableSize" in counters and "table_bytes" in counters["tableSize"]:
        size = counters["tableSize"]["table_bytes"]
        print(f"| alternate tables on the heap | {size/1024:.1f} KiB | < 16 KiB | {'met' if size < 16384 else 'MISSED'} |")
    print()
    print(f"Raw figures: {path}")
    return 0


def main(arguments):
    if len(arguments) >= 2 and arguments[0] == "time":
        return time_report(arguments[1])
    if len(arguments) >= 2 and arguments[0] == "instructions":
        return instructions_report(arguments[1], "--check" in arguments[2:])
    sys.exit(__doc__)


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
