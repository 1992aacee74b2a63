#pragma once

#include "platform/foundation/Value.h"

#include <string_view>

// Reads one XML property list of the keyboard's layout data into values:
// dictionaries, arrays, strings, integers, reals and booleans. Layout data is
// built into the library, so a file that does not parse is a fault of the
// build and raises the platform's exception, naming the file.
Value readLayoutPropertyList(std::string_view fileName, std::string_view xml);
