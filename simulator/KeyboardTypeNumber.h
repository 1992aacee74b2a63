#pragma once

#include <optional>
#include <string>
#include <string_view>

// A keyboard type as a person gives it, on the command line and in scripts:
// one of the numbers the platform knows, or nothing.
std::optional<int> keyboardTypeFromText(std::string_view text);

// What such a number is, for messages and help.
std::string keyboardTypeDescription();
