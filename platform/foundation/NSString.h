#pragma once

#include "platform/PlatformExport.h"

#include <initializer_list>
#include <memory>
#include <string>
#include <string_view>

struct NSRange {
    std::size_t location;
    std::size_t length;
};

inline constexpr std::size_t NSNotFound = static_cast<std::size_t>(-1);
// Option of rangeOfString: for a search that ignores letter case.
inline constexpr unsigned NSCaseInsensitiveSearch = 1;

// The platform's immutable string as a value: UTF-8 inside, lengths and
// ranges in UTF-16 units as the platform counts them. A default-made string
// is nil — a missing string — and answers every operation the way a message
// to a missing object does (nil, 0, false), which is distinct from "".
class PLATFORM_EXPORT NSString {
public:
    NSString() = default;
    NSString(const char* utf8);
    NSString(std::string utf8);
    NSString(std::string_view utf8);

    static NSString fromUTF16(std::u16string_view utf16);
    // "%@" takes the next argument; "%%" is a percent sign.
    static NSString stringWithFormat(std::string_view format, std::initializer_list<NSString> arguments);

    bool isNil() const { return !m_utf8; }
    explicit operator bool() const { return m_utf8 != nullptr; }

    const std::string& utf8() const;
    std::u16string utf16() const;
    std::size_t length() const;
    bool isEmpty() const { return length() == 0; }

    NSString lowercaseString() const;
    NSString uppercaseString() const;
    NSRange rangeOfString(const NSString& other, unsigned options = 0) const;
    bool containsString(const NSString& other, unsigned options = 0) const
    {
        return rangeOfString(other, options).location != NSNotFound;
    }
    NSString stringByReplacingOccurrencesOfString(const NSString& target, const NSString& replacement) const;
    // Leading white space, an optional sign and decimal digits, as the
    // platform's intValue reads them; 0 when there are none, clamped to int.
    int intValue() const;
    bool isEqualToString(const NSString& other) const;
    // Stable ordering for sorted containers (nil first).
    bool operator<(const NSString& other) const;

    friend bool operator==(const NSString& left, const NSString& right)
    {
        return left.isEqualToString(right);
    }

private:
    std::shared_ptr<const std::string> m_utf8;
};
