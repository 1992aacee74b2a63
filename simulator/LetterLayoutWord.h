#pragma once

#include "platform/keyboard/KeyboardConfiguration.h"

#include <optional>
#include <string>
#include <string_view>

// The words a person gives for a letter layout, on the command line and in
// scripts, read without regard to case; the one place that knows them.
std::optional<KeyboardLetterLayout> letterLayoutFromWord(std::string_view word);

// The words for messages and help: "QWERTY, QWERTZ or AZERTY" by default,
// "QWERTY|QWERTZ|AZERTY" with "|" for both separators.
std::string letterLayoutWords(
    std::string_view separator = ", ", std::string_view separatorBeforeLast = " or ");
