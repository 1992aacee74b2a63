#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// Converts between offsets in UTF-16 units, as the platform's strings count,
// and byte offsets in their UTF-8. An offset between the two halves of a
// surrogate pair is taken as the start of its character.
class UTF16ByteMap {
public:
    explicit UTF16ByteMap(std::string_view utf8);

    std::size_t length() const { return m_byteOfUnit.size() - 1; }
    std::size_t byteOffset(std::size_t unit) const;
    // The first unit whose character starts at or after the byte.
    std::size_t unitOffset(std::size_t byte) const;

private:
    std::vector<std::size_t> m_byteOfUnit; // one per unit, and the end
};
