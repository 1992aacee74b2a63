#pragma once

#include <optional>
#include <string>
#include <string_view>

// Where each line `type` types starts: the keyboard as it came up, as the
// line before left it, or as a person may have left it just before (shift
// tapped, shift locked, the numbers or the symbols up).
enum class LineStart { AsItCameUp, Carried, Shifted, ShiftLocked, Numbers, Symbols };

// The word for it on the command line and between the simulator's processes:
// "fresh", "carried", "shifted", "shift-locked", "numbers", "symbols".
std::string_view wordFor(LineStart start);
std::optional<LineStart> lineStartFromWord(std::string_view word);
// "fresh, carried, … or symbols", for help and errors.
std::string lineStartWords();
