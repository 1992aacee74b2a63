#include "platform/graphics/ValidUTF8.h"

namespace {

bool isContinuation(unsigned char byte)
{
    return (byte & 0xc0) == 0x80;
}

// The length of the well-formed sequence at the start of bytes, or 0.
std::size_t sequenceLength(std::string_view bytes)
{
    auto at = [&](std::size_t index) { return static_cast<unsigned char>(bytes[index]); };
    unsigned char lead = at(0);
    if (lead < 0x80)
        return 1;
    std::size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 0;
    if (!length || lead > 0xf4 || bytes.size() < length)
        return 0;
    for (std::size_t index = 1; index < length; ++index) {
        if (!isContinuation(at(index)))
            return 0;
    }
    // Second bytes that would make an overlong form, a surrogate or a value
    // beyond U+10FFFF.
    unsigned char second = at(1);
    if ((lead == 0xe0 && second < 0xa0) || (lead == 0xed && second > 0x9f) || (lead == 0xf0 && second < 0x90)
        || (lead == 0xf4 && second > 0x8f))
        return 0;
    return length;
}

} // namespace

bool isValidUTF8(std::string_view bytes)
{
    while (!bytes.empty()) {
        std::size_t length = sequenceLength(bytes);
        if (!length)
            return false;
        bytes.remove_prefix(length);
    }
    return true;
}

NSString withValidUTF8(const NSString& string)
{
    if (string.isNil() || isValidUTF8(string.utf8()))
        return string;
    return NSString::fromUTF16(string.utf16());
}
