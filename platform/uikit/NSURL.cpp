#include "platform/uikit/NSURL.h"

#include <string_view>

namespace {

// RFC 3986's characters, with "%" for escapes and "#" for fragments.
bool isURLCharacter(unsigned char character)
{
    if (character <= ' ' || character >= 0x7f)
        return false;
    constexpr std::string_view forbidden = "\"<>\\^`{|}";
    return forbidden.find(static_cast<char>(character)) == std::string_view::npos;
}

} // namespace

NSURL NSURL::URLWithString(const NSString& string)
{
    if (string.isNil() || string.isEmpty())
        return {};
    for (unsigned char character : string.utf8()) {
        if (!isURLCharacter(character))
            return {};
    }
    return NSURL(string);
}

NSString NSURL::scheme() const
{
    const std::string& text = m_string.utf8();
    auto colon = text.find(':');
    if (isNil() || colon == std::string::npos || colon == 0)
        return {};
    return NSString(text.substr(0, colon));
}
