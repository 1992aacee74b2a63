#!/usr/bin/env bash
# Runs tools/check-try on small source trees: TRY as a whole statement or
# initialiser passes; each TRY inside a braced or argument list makes it
# fail and name the file and line.
set -euo pipefail
checker=$1
fixture="$(mktemp -d)"
trap 'rm -rf "$fixture"' EXIT
failures=0

make_clean_tree() {
  rm -rf "${fixture:?}"/*
  mkdir -p "$fixture/simulator"
  cat > "$fixture/simulator/Parse.cpp" <<'CPP'
ErrorOr<Wait> readWait(Arguments& a)
{
    TRY(a.word("wait"));
    double seconds = TRY(a.number("seconds"));
    wait.seconds = TRY(a.number("seconds"));
    if (a.more()) {
        TRY(a.end());
    }
    // A comment may show the forbidden form: Wait { TRY(a.number()) }.
    return TRY(make(seconds));
}
CPP
}

expect_pass() {
  if ! output="$(bash "$checker" "$fixture" 2>&1)"; then
    echo "FAIL: the clean tree was refused: $output"
    failures=$((failures + 1))
  fi
}

# expect_violation <description> <line to add>
expect_violation() {
  make_clean_tree
  printf '%s\n' "$2" >> "$fixture/simulator/Parse.cpp"
  if output="$(bash "$checker" "$fixture" 2>&1)"; then
    echo "FAIL: not caught: $1"
    failures=$((failures + 1))
  elif [[ "$output" != *"simulator/Parse.cpp:12"* ]]; then
    echo "FAIL: $1: the report does not name the file and line: $output"
    failures=$((failures + 1))
  fi
}

make_clean_tree
expect_pass
expect_violation "TRY in a braced list" 'Wait make() { return Wait { TRY(a.number("s")) }; }'
expect_violation "TRY as a call's argument" 'void f() { m_hand.tap(TRY(find("q"))); }'
expect_violation "TRY after a comma" 'void f() { press(key, TRY(finger(a))); }'
expect_violation "TRY as an argument on the next line" 'void f() { press(key,
    TRY(finger(a))); }'
expect_violation "TRY in a conversion" 'auto f() { return ScriptCommand(TRY(parse(a))); }'

if [ "$failures" -gt 0 ]; then
  echo "$failures check(s) failed"
  exit 1
fi
echo "check-try catches every misplaced TRY"
