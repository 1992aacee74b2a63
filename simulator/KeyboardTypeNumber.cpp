#include "simulator/KeyboardTypeNumber.h"

#include "platform/uikit/UIKeyboardType.h"

#include <charconv>

std::optional<int> keyboardTypeFromText(std::string_view text)
{
    int number = 0;
    auto result = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size()
        || !isKnownKeyboardType(number))
        return std::nullopt;
    return number;
}

std::string keyboardTypeDescription()
{
    return "a keyboard type from " + std::to_string(UIKeyboardTypeDefault) + " to "
        + std::to_string(UIKeyboardTypeTwitter) + ", or " + std::to_string(keyboardTypeASCIIVariant) + " to "
        + std::to_string(keyboardTypeASCIIVariant + UIKeyboardTypeTwitter) + " for its ASCII variant";
}
