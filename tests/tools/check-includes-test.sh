#!/usr/bin/env bash
# Runs tools/check-includes on small source trees: a clean one passes, and
# each layer violation alone makes it fail and name the file.
set -euo pipefail
source "$(dirname "$0")/checker-harness.sh" "$1"

write() { mkdir -p "$(dirname "$fixture/$1")"; printf '%s\n' "${@:2}" > "$fixture/$1"; }

make_clean_tree() {
  rm -rf "${fixture:?}"/*
  write keyboard/Tables.h '#pragma once' '#include <vector>'
  write keyboard/Tables.cpp '#include "keyboard/Tables.h"' '#include "Tables.h"' \
    '#include "platform/foundation/NSString.h"' '#include <string>' '#include "contracts/CorvaneContract.h"'
  write settings/Store.h '#pragma once' '#include "../contracts/CorvaneContract.h"'
  write settings/Store.cpp '#include "settings/Store.h"' '  #  include "platform/runtime/Message.h"'
  write contracts/CorvaneContract.h '#pragma once' '#include <string_view>'
  write contracts/Other.h '#pragma once'
  write simulator/Main.cpp '#include "simulator/Window.h"' '#include "Window.h"' '#include <SDL2/SDL.h>' \
    '#include "platform/runtime/Message.h"' '#include "contracts/CorvaneContract.h"'
  write simulator/Window.h '#pragma once' '#include <cairo.h>'
  write platform/foundation/NSString.h '#pragma once' '#include <unicode/ustring.h>'
  write platform/runtime/Message.h '#pragma once'
  write platform/keyboard/Keys.h '#include "platform/foundation/NSString.h"' '#include "../runtime/Message.h"'
  write platform/foundation/List.cpp '#include <plist/plist.h>' '#include <cairo.h>'
}

# Each violation must name the file it was added to.
violation() { expect_violation "$1" "$2" "$2" "$3"; }

make_clean_tree
expect_pass
violation "keyboard includes settings" keyboard/Tables.cpp '#include "settings/Store.h"'
violation "settings includes keyboard by a relative path" settings/Store.cpp '#include "../keyboard/Tables.h"'
violation "keyboard includes the simulator" keyboard/Tables.h '#include "simulator/Main.h"'
violation "settings includes cairo" settings/Store.cpp '#include <cairo.h>'
violation "keyboard includes pango" keyboard/Tables.cpp '#include <pango/pangocairo.h>'
violation "keyboard includes libplist" keyboard/Tables.cpp '#include <plist/plist.h>'
violation "settings includes ICU" settings/Store.h '#include <unicode/uchar.h>'
violation "keyboard includes SDL" keyboard/Tables.h '#include "SDL2/SDL.h"'
violation "platform includes the keyboard deliverable" platform/runtime/Message.h '#include "keyboard/Tables.h"'
violation "platform includes settings by a relative path" platform/foundation/List.cpp '#include "../../settings/Store.h"'
violation "platform includes the simulator" platform/keyboard/Keys.h '#include <simulator/Main.h>'
violation "keyboard includes a contracts header that is not the shared one" keyboard/Tables.h '#include "contracts/Other.h"'
violation "settings includes another contracts header by a relative path" settings/Store.cpp '#include "../contracts/Other.h"'
violation "the shared contract includes the platform" contracts/CorvaneContract.h '#include "platform/runtime/Message.h"'
violation "the shared contract includes the keyboard" contracts/CorvaneContract.h '#include "keyboard/Tables.h"'
violation "the simulator includes the keyboard" simulator/Main.cpp '#include "keyboard/Tables.h"'
violation "the simulator includes settings by a relative path" simulator/Window.h '#include "../settings/Store.h"'
violation "the simulator includes a test's header" simulator/Main.cpp '#include "tests/support/Fixture.h"'
violation "the simulator includes a contracts header that is not the shared one" simulator/Main.cpp '#include "contracts/Other.h"'
violation "platform includes the shared contract" platform/foundation/List.cpp '#include "contracts/CorvaneContract.h"'

finish "check-includes catches every violation"
