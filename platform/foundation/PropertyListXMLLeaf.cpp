#include "platform/foundation/PropertyListXMLLeaf.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <string>

namespace xml_leaf {

namespace {

std::string_view withoutSurroundingWhitespace(std::string_view text)
{
    constexpr std::string_view whitespace = " \t\r\n";
    std::size_t first = text.find_first_not_of(whitespace);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(whitespace) - first + 1);
}

Error unreadable(std::string_view element, std::string_view text)
{
    constexpr std::size_t shownLength = 40;
    std::string shown(text.substr(0, shownLength));
    std::replace_if(
        shown.begin(), shown.end(), [](unsigned char c) { return c < 0x20 || c >= 0x7F; }, '?');
    return Error { "property list: <" + std::string(element) + "> \"" + shown
        + (text.size() > shownLength ? "…" : "") + "\" cannot be read exactly" };
}

// The magnitude of a run of digits in the base, or nothing past 2^64 - 1.
bool readMagnitude(std::string_view digits, unsigned base, std::uint64_t& magnitude)
{
    if (digits.empty())
        return false;
    magnitude = 0;
    for (char character : digits) {
        unsigned digit;
        if (character >= '0' && character <= '9')
            digit = static_cast<unsigned>(character - '0');
        else if (base == 16 && std::isxdigit(static_cast<unsigned char>(character)))
            digit = static_cast<unsigned>(std::tolower(static_cast<unsigned char>(character)) - 'a' + 10);
        else
            return false;
        if (magnitude > (std::numeric_limits<std::uint64_t>::max() - digit) / base)
            return false;
        magnitude = magnitude * base + digit;
    }
    return true;
}

// Decimal or 0x hexadecimal, signed; from -2^63 to 2^64 - 1, the range a
// list holds.
bool isExactInteger(std::string_view text)
{
    bool isNegative = !text.empty() && text.front() == '-';
    if (!text.empty() && (text.front() == '-' || text.front() == '+'))
        text.remove_prefix(1);
    unsigned base = 10;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        base = 16;
        text.remove_prefix(2);
    }
    std::uint64_t magnitude = 0;
    if (!readMagnitude(text, base, magnitude))
        return false;
    return !isNegative || magnitude <= std::uint64_t { 1 } << 63;
}

// Whatever the C library reads as a whole, as the parser reads it.
bool isExactReal(std::string_view text)
{
    std::string terminated(text);
    char* end = nullptr;
    (void)std::strtod(terminated.c_str(), &end);
    return !terminated.empty() && end == terminated.c_str() + terminated.size();
}

bool readNumber(std::string_view text, std::size_t position, std::size_t length, int& number)
{
    number = 0;
    for (std::size_t index = position; index < position + length; ++index) {
        if (text[index] < '0' || text[index] > '9')
            return false;
        number = number * 10 + (text[index] - '0');
    }
    return true;
}

bool isLeapYear(int year)
{
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

// "YYYY-MM-DDTHH:MM:SSZ", the one form lists are written in, of a day that
// exists.
bool isExactDate(std::string_view text)
{
    constexpr std::string_view form = "0000-00-00T00:00:00Z";
    if (text.size() != form.size())
        return false;
    for (std::size_t index = 0; index < form.size(); ++index) {
        if (form[index] != '0' && text[index] != form[index])
            return false;
    }
    int year, month, day, hour, minute, second;
    if (!readNumber(text, 0, 4, year) || !readNumber(text, 5, 2, month) || !readNumber(text, 8, 2, day)
        || !readNumber(text, 11, 2, hour) || !readNumber(text, 14, 2, minute)
        || !readNumber(text, 17, 2, second))
        return false;
    constexpr std::array<int, 12> daysInMonth { 31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31 };
    if (month < 1 || month > 12)
        return false;
    int lastDay = daysInMonth[static_cast<std::size_t>(month - 1)] + (month == 2 && isLeapYear(year) ? 1 : 0);
    return day >= 1 && day <= lastDay && hour <= 23 && minute <= 59 && second <= 59;
}

bool isBase64Character(char character)
{
    return std::isalnum(static_cast<unsigned char>(character)) || character == '+' || character == '/';
}

// Base64 with its padding, line breaks and indentation anywhere.
bool isExactBase64(std::string_view text)
{
    std::size_t characters = 0;
    std::size_t padding = 0;
    for (char character : text) {
        if (character == ' ' || character == '\t' || character == '\r' || character == '\n')
            continue;
        if (character == '=') {
            ++padding;
        } else if (!isBase64Character(character) || padding > 0) {
            return false;
        }
        ++characters;
    }
    return characters % 4 == 0 && padding <= 2;
}

} // namespace

bool isChecked(std::string_view element)
{
    return element == "integer" || element == "real" || element == "date" || element == "data";
}

ErrorOr<void> check(std::string_view element, std::string_view text)
{
    std::string_view value = withoutSurroundingWhitespace(text);
    bool isExact = false;
    if (element == "integer")
        isExact = isExactInteger(value);
    else if (element == "real")
        isExact = isExactReal(value);
    else if (element == "date")
        isExact = isExactDate(value);
    else if (element == "data")
        isExact = isExactBase64(text);
    else
        isExact = true;
    if (!isExact)
        return unreadable(element, value);
    return {};
}

} // namespace xml_leaf
