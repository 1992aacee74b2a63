#include "simulator/ScriptText.h"

#include <charconv>

namespace {

void appendEscaped(std::string& escaped, char character, bool escapeQuote)
{
    switch (character) {
    case '\n':
        escaped += "\\n";
        return;
    case '\t':
        escaped += "\\t";
        return;
    case '\r':
        escaped += "\\r";
        return;
    case '\\':
        escaped += "\\\\";
        return;
    case '"':
        escaped += escapeQuote ? "\\\"" : "\"";
        return;
    default:
        break;
    }
    auto byte = static_cast<unsigned char>(character);
    if (byte >= 0x20 && byte != 0x7F) {
        escaped += character;
        return;
    }
    constexpr char digits[] = "0123456789ABCDEF";
    escaped += "\\x";
    escaped += digits[byte >> 4];
    escaped += digits[byte & 0xF];
}

} // namespace

std::string escapeControlCharacters(std::string_view text)
{
    std::string escaped;
    for (char character : text)
        appendEscaped(escaped, character, false);
    return escaped;
}

std::string quoteScriptString(std::string_view text)
{
    std::string quoted = "\"";
    for (char character : text)
        appendEscaped(quoted, character, true);
    return quoted + "\"";
}

std::string scriptWord(std::string_view text)
{
    bool isPlain = !text.empty() && text.find_first_of(" \t\r\n\"\\#") == std::string_view::npos;
    for (char character : text)
        isPlain = isPlain && static_cast<unsigned char>(character) >= 0x20 && character != 0x7F;
    return isPlain ? std::string(text) : quoteScriptString(text);
}

std::string formatScriptNumber(double number)
{
    // Room for the longest fixed form of a double (a subnormal: 0.000…, 340 characters).
    char buffer[512];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), number, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}
