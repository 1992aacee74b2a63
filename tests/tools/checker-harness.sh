# Sourced by the tests of the source-tree checkers under tools/: the test
# defines make_clean_tree, which writes a small tree into $fixture that the
# checker must pass; each violation adds one line to it that must be refused.
#   source checker-harness.sh CHECKER
checker=$1
fixture="$(mktemp -d)"
trap 'rm -rf "$fixture"' EXIT
failures=0

expect_pass() {
  if ! output="$(bash "$checker" "$fixture" 2>&1)"; then
    echo "FAIL: the clean tree was refused: $output"
    failures=$((failures + 1))
  fi
}

# expect_violation <description> <file> <what the report must name> <line to add>
expect_violation() {
  make_clean_tree
  printf '%s\n' "$4" >> "$fixture/$2"
  if output="$(bash "$checker" "$fixture" 2>&1)"; then
    echo "FAIL: not caught: $1"
    failures=$((failures + 1))
  elif [[ "$output" != *"$3"* ]]; then
    echo "FAIL: $1: the report does not name $3: $output"
    failures=$((failures + 1))
  fi
}

# finish <what a passing run says>
finish() {
  if [ "$failures" -gt 0 ]; then
    echo "$failures check(s) failed"
    exit 1
  fi
  echo "$1"
}
