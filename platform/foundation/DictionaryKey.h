#pragma once

#include "platform/foundation/KeyBytes.h"

#include <cstdint>
#include <string_view>

// A dictionary key whose hash is worked out once, when the key is made — at
// compile time for a constant. The keyboard's property names are these: they
// are looked up on every keyplane switch and touch.
class DictionaryKey {
public:
    constexpr explicit DictionaryKey(std::string_view text)
        : m_text(text)
        , m_hash(key_bytes::hash(text))
    {
    }

    constexpr std::string_view text() const { return m_text; }
    constexpr std::uint64_t hash() const { return m_hash; }
    constexpr operator std::string_view() const { return m_text; }

private:
    std::string_view m_text;
    std::uint64_t m_hash;
};
