#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The candidate a mistyped word was most likely meant to be, for "did you
// mean …": the closest by edits (a letter added, dropped, changed, or two
// swapped), when it is close enough to be a slip rather than another word.
std::optional<std::string> nearestWord(std::string_view word, const std::vector<std::string>& candidates);
