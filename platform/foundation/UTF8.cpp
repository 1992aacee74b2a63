#include "platform/foundation/UTF8.h"

#include <cstddef>
#include <cstdint>

bool utf8::isValid(std::string_view text)
{
    std::size_t index = 0;
    while (index < text.size()) {
        auto lead = static_cast<unsigned char>(text[index]);
        std::size_t length = lead < 0x80 ? 1
            : (lead >> 5) == 0x6         ? 2
            : (lead >> 4) == 0xE         ? 3
            : (lead >> 3) == 0x1E        ? 4
                                         : 0;
        if (length == 0 || index + length > text.size())
            return false;
        std::uint32_t codePoint = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t offset = 1; offset < length; ++offset) {
            auto continuation = static_cast<unsigned char>(text[index + offset]);
            if ((continuation >> 6) != 0x2)
                return false;
            codePoint = (codePoint << 6) | (continuation & 0x3F);
        }
        constexpr std::uint32_t smallestOfLength[] = { 0, 0, 0x80, 0x800, 0x10000 };
        if (codePoint < smallestOfLength[length] || codePoint > 0x10FFFF
            || (codePoint >= 0xD800 && codePoint <= 0xDFFF))
            return false;
        index += length;
    }
    return true;
}
