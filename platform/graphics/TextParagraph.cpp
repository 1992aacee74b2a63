#include "platform/graphics/TextParagraph.h"

#include <algorithm>

TextParagraph TextParagraph::at(std::string_view text, std::size_t start, std::size_t end)
{
    static constexpr std::string_view paragraphSeparator = "\u2029";
    for (std::size_t byte = start; byte < end; ++byte) {
        char character = text[byte];
        if (character == '\n')
            return { start, byte, byte + 1 };
        if (character == '\r') {
            bool crlf = byte + 1 < end && text[byte + 1] == '\n';
            return { start, byte, byte + (crlf ? 2 : 1) };
        }
        if (text.compare(byte, paragraphSeparator.size(), paragraphSeparator) == 0)
            return { start, byte, std::min(end, byte + paragraphSeparator.size()) };
    }
    return { start, end, end };
}
