#include "platform/foundation/NSString.h"

#include <algorithm>
#include <cctype>
#include <climits>
#include <unicode/locid.h>
#include <unicode/unistr.h>
#include <unicode/ustring.h>

namespace {

// Keyboard code searches and case-maps short ASCII names on every keyplane
// switch; for ASCII text these give what the full Unicode rules give, and
// UTF-8 offsets equal UTF-16 ones, without converting through ICU.
bool isASCII(const std::string& text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

// Locale-independent, unlike std::tolower, so a host's setlocale changes nothing.
unsigned char asciiLower(unsigned char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

unsigned char asciiUpper(unsigned char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<unsigned char>(c - ('a' - 'A')) : c;
}

template <typename Mapping> std::string mapASCII(const std::string& text, Mapping mapping)
{
    std::string result(text.size(), '\0');
    std::transform(text.begin(), text.end(), result.begin(),
        [&](char c) { return static_cast<char>(mapping(static_cast<unsigned char>(c))); });
    return result;
}

NSRange rangeOfASCII(const std::string& haystack, const std::string& needle, bool caseInsensitive)
{
    auto equal = [caseInsensitive](char a, char b) {
        return caseInsensitive
            ? asciiLower(static_cast<unsigned char>(a)) == asciiLower(static_cast<unsigned char>(b))
            : a == b;
    };
    auto found = std::search(haystack.begin(), haystack.end(), needle.begin(), needle.end(), equal);
    if (found == haystack.end())
        return { NSNotFound, 0 };
    return { static_cast<std::size_t>(found - haystack.begin()), needle.size() };
}

icu::UnicodeString toUnicode(const std::string& utf8)
{
    return icu::UnicodeString::fromUTF8(utf8);
}

std::string toUTF8(const icu::UnicodeString& text)
{
    std::string utf8;
    text.toUTF8String(utf8);
    return utf8;
}

} // namespace

NSString::NSString(const char* utf8)
    : m_utf8(utf8 ? std::make_shared<const std::string>(utf8) : nullptr)
{
}

NSString::NSString(std::string utf8)
    : m_utf8(std::make_shared<const std::string>(std::move(utf8)))
{
}

NSString::NSString(std::string_view utf8)
    : m_utf8(std::make_shared<const std::string>(utf8))
{
}

NSString NSString::fromUTF16(std::u16string_view utf16)
{
    return NSString(toUTF8(icu::UnicodeString(utf16.data(), static_cast<int32_t>(utf16.size()))));
}

NSString NSString::stringWithFormat(std::string_view format, std::initializer_list<NSString> arguments)
{
    std::string result;
    auto argument = arguments.begin();
    for (std::size_t index = 0; index < format.size(); ++index) {
        char character = format[index];
        if (character == '%' && index + 1 < format.size()) {
            char directive = format[index + 1];
            if (directive == '@') {
                if (argument != arguments.end()) {
                    result += argument->isNil() ? std::string("(null)") : argument->utf8();
                    ++argument;
                }
                ++index;
                continue;
            }
            if (directive == '%') {
                result += '%';
                ++index;
                continue;
            }
        }
        result += character;
    }
    return NSString(std::move(result));
}

const std::string& NSString::utf8() const
{
    static const std::string empty;
    return m_utf8 ? *m_utf8 : empty;
}

std::u16string NSString::utf16() const
{
    icu::UnicodeString text = toUnicode(utf8());
    return std::u16string(text.getBuffer(), static_cast<std::size_t>(text.length()));
}

std::size_t NSString::length() const
{
    if (!m_utf8)
        return 0;
    // Every code point takes one UTF-16 unit except those beyond the basic
    // plane, which take two; their UTF-8 lead byte is 0xF0 or above.
    std::size_t units = 0;
    for (unsigned char byte : *m_utf8) {
        if ((byte & 0xC0) != 0x80)
            units += byte >= 0xF0 ? 2 : 1;
    }
    return units;
}

NSString NSString::lowercaseString() const
{
    if (!m_utf8)
        return {};
    if (isASCII(*m_utf8)) {
        // A string already in lower case is shared rather than copied: the
        // keyboard lower-cases every key's string on its first processing.
        bool unchanged
            = std::none_of(m_utf8->begin(), m_utf8->end(), [](char c) { return c >= 'A' && c <= 'Z'; });
        return unchanged ? *this : NSString(mapASCII(*m_utf8, asciiLower));
    }
    return NSString(toUTF8(toUnicode(*m_utf8).toLower(icu::Locale::getRoot())));
}

NSString NSString::uppercaseString() const
{
    if (!m_utf8)
        return {};
    if (isASCII(*m_utf8)) {
        bool unchanged
            = std::none_of(m_utf8->begin(), m_utf8->end(), [](char c) { return c >= 'a' && c <= 'z'; });
        return unchanged ? *this : NSString(mapASCII(*m_utf8, asciiUpper));
    }
    return NSString(toUTF8(toUnicode(*m_utf8).toUpper(icu::Locale::getRoot())));
}

NSRange NSString::rangeOfString(const NSString& other, unsigned options) const
{
    if (!m_utf8 || !other.m_utf8 || other.m_utf8->empty())
        return { NSNotFound, 0 };
    if (isASCII(*m_utf8) && isASCII(*other.m_utf8))
        return rangeOfASCII(*m_utf8, *other.m_utf8, options & NSCaseInsensitiveSearch);
    icu::UnicodeString haystack = toUnicode(*m_utf8);
    icu::UnicodeString needle = toUnicode(*other.m_utf8);
    if (options & NSCaseInsensitiveSearch) {
        haystack.foldCase();
        needle.foldCase();
    }
    int32_t found = haystack.indexOf(needle);
    if (found < 0)
        return { NSNotFound, 0 };
    return { static_cast<std::size_t>(found), static_cast<std::size_t>(needle.length()) };
}

NSString NSString::stringByReplacingOccurrencesOfString(
    const NSString& target, const NSString& replacement) const
{
    if (!m_utf8)
        return {};
    if (target.utf8().empty())
        return *this;
    std::string result;
    const std::string& source = *m_utf8;
    const std::string& needle = target.utf8();
    std::size_t position = 0;
    for (;;) {
        std::size_t found = source.find(needle, position);
        if (found == std::string::npos)
            break;
        result.append(source, position, found - position);
        result += replacement.utf8();
        position = found + needle.size();
    }
    result.append(source, position, std::string::npos);
    return NSString(std::move(result));
}

int NSString::intValue() const
{
    const std::string& text = utf8();
    std::size_t index = 0;
    while (index < text.size() && std::isspace(static_cast<unsigned char>(text[index])))
        ++index;
    bool negative = false;
    if (index < text.size() && (text[index] == '+' || text[index] == '-')) {
        negative = text[index] == '-';
        ++index;
    }
    long long value = 0;
    for (; index < text.size() && std::isdigit(static_cast<unsigned char>(text[index])); ++index) {
        value = value * 10 + (text[index] - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            break;
    }
    if (negative)
        value = -value;
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

bool NSString::isEqualToString(const NSString& other) const
{
    if (!m_utf8 || !other.m_utf8)
        return false;
    return m_utf8 == other.m_utf8 || *m_utf8 == *other.m_utf8;
}

bool NSString::operator<(const NSString& other) const
{
    return utf8() < other.utf8() || (utf8() == other.utf8() && !m_utf8 && other.m_utf8);
}
