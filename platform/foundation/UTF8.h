#pragma once

#include <string_view>

// Checks on text that comes from outside the process. Private to the
// platform library.
namespace utf8 {

// Well-formed UTF-8: no stray or missing continuation bytes, no overlong
// forms, no surrogates, nothing beyond U+10FFFF.
bool isValid(std::string_view text);

} // namespace utf8
