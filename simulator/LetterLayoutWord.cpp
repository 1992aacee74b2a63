#include "simulator/LetterLayoutWord.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr KeyboardLetterLayout letterLayouts[]
    = { KeyboardLetterLayout::QWERTY, KeyboardLetterLayout::QWERTZ, KeyboardLetterLayout::AZERTY };

} // namespace

std::optional<KeyboardLetterLayout> letterLayoutFromWord(std::string_view word)
{
    std::string upper(word);
    std::transform(upper.begin(), upper.end(), upper.begin(),
        [](unsigned char character) { return static_cast<char>(std::toupper(character)); });
    for (KeyboardLetterLayout layout : letterLayouts) {
        if (upper == letterLayoutName(layout))
            return layout;
    }
    return std::nullopt;
}

std::string letterLayoutWords(std::string_view separator, std::string_view separatorBeforeLast)
{
    std::string words;
    for (std::size_t index = 0; index < std::size(letterLayouts); ++index) {
        if (index)
            words += index + 1 == std::size(letterLayouts) ? separatorBeforeLast : separator;
        words += letterLayoutName(letterLayouts[index]);
    }
    return words;
}
