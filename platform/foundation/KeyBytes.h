#pragma once

#include <bit>
#include <cstdint>
#include <cstring>
#include <string_view>
#include <type_traits>

// Hashing and comparing dictionary keys eight bytes at a time. Keys are
// mostly 10 to 35 bytes, so the last word overlaps the one before instead of
// being read byte by byte: a 20-byte key takes three words. Words are read
// little-endian everywhere, so a hash worked out at compile time (for a
// DictionaryKey) equals the one worked out at run time.
namespace key_bytes {

template <typename Word> constexpr std::uint64_t load(const char* bytes)
{
    if (std::is_constant_evaluated()) {
        std::uint64_t word = 0;
        for (std::size_t at = 0; at < sizeof(Word); ++at)
            word |= static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at])) << (8 * at);
        return word;
    }
    Word word;
    std::memcpy(&word, bytes, sizeof word);
    if constexpr (std::endian::native == std::endian::big) {
        if constexpr (sizeof(Word) == 8)
            word = __builtin_bswap64(word);
        else
            word = __builtin_bswap32(word);
    }
    return word;
}

constexpr std::uint64_t load64(const char* bytes)
{
    return load<std::uint64_t>(bytes);
}

constexpr std::uint64_t load32(const char* bytes)
{
    return load<std::uint32_t>(bytes);
}

constexpr std::uint64_t mixWord(std::uint64_t hash, std::uint64_t word)
{
    hash = (hash ^ word) * 0xBF58476D1CE4E5B9ULL;
    return hash ^ (hash >> 32);
}

constexpr std::uint64_t hash(std::string_view key)
{
    const char* bytes = key.data();
    std::size_t length = key.size();
    std::uint64_t hash = length * 0x9E3779B97F4A7C15ULL;
    if (length >= 8) {
        for (std::size_t offset = 0; offset + 8 < length; offset += 8)
            hash = mixWord(hash, load64(bytes + offset));
        hash = mixWord(hash, load64(bytes + length - 8));
    } else if (length >= 4) {
        hash = mixWord(hash, load32(bytes) << 32 | load32(bytes + length - 4));
    } else if (length > 0) {
        auto byte = [bytes](std::size_t at) {
            return static_cast<std::uint64_t>(static_cast<unsigned char>(bytes[at]));
        };
        hash = mixWord(hash, byte(0) << 16 | byte(length / 2) << 8 | byte(length - 1));
    }
    hash *= 0x94D049BB133111EBULL;
    return hash ^ (hash >> 29);
}

inline bool equal(std::string_view left, std::string_view right)
{
    std::size_t length = left.size();
    if (length != right.size())
        return false;
    const char* a = left.data();
    const char* b = right.data();
    if (length >= 8) {
        for (std::size_t offset = 0; offset + 8 < length; offset += 8) {
            if (load64(a + offset) != load64(b + offset))
                return false;
        }
        return load64(a + length - 8) == load64(b + length - 8);
    }
    if (length >= 4)
        return load32(a) == load32(b) && load32(a + length - 4) == load32(b + length - 4);
    for (std::size_t at = 0; at < length; ++at) {
        if (a[at] != b[at])
            return false;
    }
    return true;
}

} // namespace key_bytes
