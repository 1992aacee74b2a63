#include "simulator/ScriptText.h"

#include <charconv>
#include <cstdio>

namespace {

void appendHexEscape(std::string& escaped, unsigned char byte)
{
    constexpr char digits[] = "0123456789ABCDEF";
    escaped += "\\x";
    escaped += digits[byte >> 4];
    escaped += digits[byte & 0xF];
}

// The length of the well-formed UTF-8 sequence that starts the text, 0 when
// it does not start with one (a stray continuation byte, an overlong form, a
// surrogate, beyond U+10FFFF, cut short).
std::size_t wellFormedSequenceLength(std::string_view text)
{
    auto byte = [&text](std::size_t index) { return static_cast<unsigned char>(text[index]); };
    unsigned char lead = byte(0);
    std::size_t length = lead < 0x80 ? 1
        : lead < 0xC2                ? 0
        : lead < 0xE0                ? 2
        : lead < 0xF0                ? 3
        : lead < 0xF5                ? 4
                                     : 0;
    if (length == 0 || length > text.size())
        return 0;
    // The second byte's range is narrower after E0, ED, F0 and F4.
    unsigned char low = lead == 0xE0 ? 0xA0 : lead == 0xF0 ? 0x90 : 0x80;
    unsigned char high = lead == 0xED ? 0x9F : lead == 0xF4 ? 0x8F : 0xBF;
    for (std::size_t index = 1; index < length; ++index) {
        bool inRange = index == 1 ? byte(1) >= low && byte(1) <= high : (byte(index) & 0xC0) == 0x80;
        if (!inRange)
            return 0;
    }
    return length;
}

// C0 controls and DEL, and the C1 controls U+0080 to U+009F, which some
// terminals obey as readily (U+009B starts an escape sequence).
bool isControl(std::string_view character)
{
    auto lead = static_cast<unsigned char>(character[0]);
    if (character.size() == 1)
        return lead < 0x20 || lead == 0x7F;
    return lead == 0xC2 && static_cast<unsigned char>(character[1]) < 0xA0;
}

void appendEscaped(std::string& escaped, std::string_view character, bool escapeQuote)
{
    switch (character.size() == 1 ? character[0] : '\0') {
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
    if (!isControl(character)) {
        escaped += character;
        return;
    }
    for (char byte : character)
        appendHexEscape(escaped, static_cast<unsigned char>(byte));
}

// Each character of the text in turn; a byte that starts no well-formed
// sequence is escaped on its own, so what is escaped reads back byte for byte.
void appendAllEscaped(std::string& escaped, std::string_view text, bool escapeQuote)
{
    while (!text.empty()) {
        std::size_t length = wellFormedSequenceLength(text);
        if (length == 0) {
            appendHexEscape(escaped, static_cast<unsigned char>(text[0]));
            length = 1;
        } else {
            appendEscaped(escaped, text.substr(0, length), escapeQuote);
        }
        text.remove_prefix(length);
    }
}

} // namespace

std::string escapeControlCharacters(std::string_view text)
{
    std::string escaped;
    appendAllEscaped(escaped, text, false);
    return escaped;
}

std::string quoteScriptString(std::string_view text)
{
    std::string quoted = "\"";
    appendAllEscaped(quoted, text, true);
    return quoted + "\"";
}

std::string scriptWord(std::string_view text)
{
    bool isPlain = !text.empty() && text.find_first_of(" \t\r\n\"\\#") == std::string_view::npos
        && escapeControlCharacters(text) == text;
    return isPlain ? std::string(text) : quoteScriptString(text);
}

std::string describeCharacter(std::string_view character)
{
    std::size_t length = character.empty() ? 0 : wellFormedSequenceLength(character);
    if (length == 0 || length != character.size())
        return quoteScriptString(character);
    // The lead byte's payload bits, then six from each continuation byte.
    constexpr unsigned char leadMasks[] = { 0, 0x7F, 0x1F, 0x0F, 0x07 };
    char32_t codePoint = static_cast<unsigned char>(character[0]) & leadMasks[length];
    for (std::size_t index = 1; index < length; ++index)
        codePoint = codePoint << 6 | (static_cast<unsigned char>(character[index]) & 0x3F);
    char hex[16];
    std::snprintf(hex, sizeof hex, "U+%04X", static_cast<unsigned>(codePoint));
    return std::string(hex) + " " + quoteScriptString(character);
}

std::string formatScriptNumber(double number)
{
    // Room for the longest fixed form of a double (a subnormal: 0.000…, 340 characters).
    char buffer[512];
    auto result = std::to_chars(buffer, buffer + sizeof(buffer), number, std::chars_format::fixed);
    return std::string(buffer, result.ptr);
}
