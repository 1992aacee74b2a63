#!/usr/bin/env bash
# Runs the instruction report's check on made-up callgrind dumps: every goal
# met passes, and each goal missed alone, or not measured, fails and is named.
set -euo pipefail
report=$1
dumps="$(mktemp -d)"
trap 'rm -rf "$dumps"' EXIT
failures=0

# dump <measure> <operations> <instructions in all>
dump() {
  local index=$(( $(find "$dumps" -name 'callgrind.out.*' | wc -l) + 1 ))
  printf 'desc: Trigger: Client Request: %s x%s\nsummary: %s\n' "$1" "$2" "$3" > "$dumps/callgrind.out.$index"
}

# Every goal met; the arguments override one measure's total each (name=total)
# or leave one out (name=).
write_dumps() {
  rm -f "$dumps"/callgrind.out.*
  declare -A totals=(
    [nothing]=10
    [repeatedSwitch/Platform]=1010 [repeatedSwitch/Extension]=1060
    [firstSwitch/QWERTY_Small_Letters/Platform]=1010 [firstSwitch/QWERTY_Small_Letters/Extension]=3010
    [firstSwitch/Numbers_And_Punctuation/Platform]=1010 [firstSwitch/Numbers_And_Punctuation/Extension]=2510
    [dragFloor/keyHitTest]=110 [dragFloor/keyHitTestLetters]=510 [dragFloor/touchLongPressTimerWithDelay]=210
    [drag/Platform]=410 [drag/Extension]=700 [dragSlide/Platform]=410 [dragSlide/Extension]=700
    [dragLetters/Platform]=810 [dragLetters/Extension]=1300
    [dragLettersSlide/Platform]=810 [dragLettersSlide/Extension]=1300
    [keyplaneDrawing/Portrait/Platform]=1010 [keyplaneDrawing/Portrait/Extension]=1150
    [keyplaneDrawing/Landscape/Platform]=1010 [keyplaneDrawing/Landscape/Extension]=1150
    [keptKeyplaneDrawing/Portrait/Platform]=1010 [keptKeyplaneDrawing/Portrait/Extension]=1100
    [keptKeyplaneDrawing/Landscape/Platform]=1010 [keptKeyplaneDrawing/Landscape/Extension]=1100
    [shiftTap/Platform]=1010 [shiftTap/Extension]=1100
  )
  local change
  for change in "$@"; do
    if [[ -z ${change#*=} ]]; then unset "totals[${change%=}]"; else totals[${change%%=*}]=${change#*=}; fi
  done
  local measure
  for measure in "${!totals[@]}"; do dump "$measure" 1 "${totals[$measure]}"; done
}

expect_pass() {
  write_dumps
  if ! output="$(python3 "$report" instructions "$dumps" --check 2>&1)"; then
    echo "FAIL: every goal met, yet the check failed: $output"
    failures=$((failures + 1))
  fi
}

# expect_missed <what the message names> <changes...>
expect_missed() {
  local named=$1
  shift
  write_dumps "$@"
  if output="$(python3 "$report" instructions "$dumps" --check 2>&1)"; then
    echo "FAIL: the check passed with $*"
    failures=$((failures + 1))
  elif [[ $output != *"goals missed"*"$named"* ]]; then
    echo "FAIL: $* was not named as missed: $output"
    failures=$((failures + 1))
  fi
}

expect_pass
expect_missed "repeated keyplane switch" "repeatedSwitch/Extension=1070"
# Without --check the table is printed and the run succeeds, goals missed or not.
if ! python3 "$report" instructions "$dumps" >/dev/null 2>&1; then
  echo "FAIL: the report without --check failed"
  failures=$((failures + 1))
fi
expect_missed "first switch: QWERTY_Small_Letters" "firstSwitch/QWERTY_Small_Letters/Extension=3020"
# The added work of a drag against its floor: 1.10 × (100 + 200) = 330 allowed.
expect_missed "drag event on \"q\", Flick up: floor" "drag/Extension=750"
expect_missed "every letter in turn, Slide up: floor" "dragLettersSlide/Extension=1600"
expect_missed "every letter in turn, Flick up: floor" "dragFloor/keyHitTestLetters=210"
expect_missed "keyplane drawing, landscape" "keyplaneDrawing/Landscape/Extension=1170"
expect_missed "repeated keyplane switch (not measured)" "repeatedSwitch/Extension="
expect_missed "Slide up against its floor (not measured)" "dragFloor/touchLongPressTimerWithDelay="
expect_missed "first switch to a letters keyplane (not measured)" \
  "firstSwitch/QWERTY_Small_Letters/Platform=" "firstSwitch/QWERTY_Small_Letters/Extension="
# The numbers keyplanes have a goal of their own, tighter than the letters'.
expect_missed "first switch: Numbers_And_Punctuation" "firstSwitch/Numbers_And_Punctuation/Extension=2520"
expect_missed "first switch to a numbers keyplane (not measured)" \
  "firstSwitch/Numbers_And_Punctuation/Platform=" "firstSwitch/Numbers_And_Punctuation/Extension="
expect_missed "first keyplane drawing, portrait 2× (platform: its cache off) (not measured)" \
  "keyplaneDrawing/Portrait/Platform="
expect_missed "keyplane drawn again, portrait" "keptKeyplaneDrawing/Portrait/Extension=1120"
expect_missed "shift tap with its drawing" "shiftTap/Extension=1120"
expect_missed "shift tap with its drawing, warm keyboard (platform: its cache on) (not measured)" "shiftTap/Platform="

if [[ $failures -ne 0 ]]; then
  echo "$failures failure(s)"
  exit 1
fi
echo "all checks passed"
