#!/usr/bin/env bash
# Runs tools/check-try on small source trees: TRY as a whole statement or
# initialiser passes; each TRY inside a braced or argument list makes it
# fail and name the file and line.
set -euo pipefail
source "$(dirname "$0")/checker-harness.sh" "$1"

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

# Each violation is the clean file's twelfth line, which the report must name.
violation() { expect_violation "$1" simulator/Parse.cpp simulator/Parse.cpp:12 "$2"; }

make_clean_tree
expect_pass
violation "TRY in a braced list" 'Wait make() { return Wait { TRY(a.number("s")) }; }'
violation "TRY as a call's argument" 'void f() { m_hand.tap(TRY(find("q"))); }'
violation "TRY after a comma" 'void f() { press(key, TRY(finger(a))); }'
violation "TRY as an argument on the next line" 'void f() { press(key,
    TRY(finger(a))); }'
violation "TRY in a conversion" 'auto f() { return ScriptCommand(TRY(parse(a))); }'

finish "check-try catches every misplaced TRY"
