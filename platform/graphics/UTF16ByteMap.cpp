#include "platform/graphics/UTF16ByteMap.h"

#include <algorithm>

namespace {

// The length in bytes of the UTF-8 sequence a lead byte starts; a stray
// continuation byte counts alone.
std::size_t sequenceLength(unsigned char lead)
{
    if (lead >= 0xf0)
        return 4;
    if (lead >= 0xe0)
        return 3;
    if (lead >= 0xc0)
        return 2;
    return 1;
}

} // namespace

UTF16ByteMap::UTF16ByteMap(std::string_view utf8)
{
    m_byteOfUnit.reserve(utf8.size() + 1);
    std::size_t byte = 0;
    while (byte < utf8.size()) {
        std::size_t length
            = std::min(sequenceLength(static_cast<unsigned char>(utf8[byte])), utf8.size() - byte);
        m_byteOfUnit.push_back(byte);
        // Characters beyond the basic plane take two UTF-16 units.
        if (length == 4)
            m_byteOfUnit.push_back(byte);
        byte += length;
    }
    m_byteOfUnit.push_back(utf8.size());
}

std::size_t UTF16ByteMap::byteOffset(std::size_t unit) const
{
    return m_byteOfUnit[std::min(unit, length())];
}

std::size_t UTF16ByteMap::unitOffset(std::size_t byte) const
{
    auto found = std::lower_bound(m_byteOfUnit.begin(), m_byteOfUnit.end(), byte);
    return static_cast<std::size_t>(found - m_byteOfUnit.begin());
}
