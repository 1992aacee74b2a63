#!/usr/bin/env bash
# CTest names parameterised tests after what the parameter prints. A type
# without a PrintTo prints its raw bytes, addresses included, so those names
# change with every build and break `ctest -R` and `--rerun-failed`.
# Usage: test-names-test.sh TEST-PROGRAM...
set -euo pipefail
failures=0
for program in "$@"; do
  if listed="$("$program" --gtest_list_tests 2>&1)"; then
    if unstable="$(grep -E 'GetParam\(\) = [0-9]+-byte object' <<<"$listed")"; then
      echo "FAIL: $(basename "$program") names tests by raw bytes (give the parameter type a PrintTo):"
      echo "$unstable" | head -n 3
      failures=$((failures + 1))
    fi
  else
    echo "FAIL: $(basename "$program") could not list its tests: $listed"
    failures=$((failures + 1))
  fi
done
if [ "$failures" -gt 0 ]; then
  exit 1
fi
echo "every parameterised test is named by what its parameter is"
