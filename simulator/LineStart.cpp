#include "simulator/LineStart.h"

#include <array>
#include <string>
#include <utility>

namespace {

constexpr std::array<std::pair<LineStart, std::string_view>, 6> words { {
    { LineStart::AsItCameUp, "fresh" },
    { LineStart::Carried, "carried" },
    { LineStart::Shifted, "shifted" },
    { LineStart::ShiftLocked, "shift-locked" },
    { LineStart::Numbers, "numbers" },
    { LineStart::Symbols, "symbols" },
} };

} // namespace

std::string_view wordFor(LineStart start)
{
    for (const auto& [each, word] : words) {
        if (each == start)
            return word;
    }
    return words.front().second;
}

std::optional<LineStart> lineStartFromWord(std::string_view word)
{
    for (const auto& [start, each] : words) {
        if (each == word)
            return start;
    }
    return std::nullopt;
}

std::string lineStartWords()
{
    std::string list;
    for (std::size_t index = 0; index < words.size(); ++index)
        list += std::string(index == 0              ? ""
                        : index + 1 == words.size() ? " or "
                                                    : ", ")
            + std::string(words[index].second);
    return list;
}
