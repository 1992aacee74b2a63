#include "simulator/ScriptTokenizer.h"

#include "simulator/ScriptText.h"

namespace {

bool isBlank(char character)
{
    return character == ' ' || character == '\t' || character == '\r';
}

std::string describeColumn(std::size_t index)
{
    return "column " + std::to_string(index + 1);
}

int hexDigit(char character)
{
    if (character >= '0' && character <= '9')
        return character - '0';
    if (character >= 'a' && character <= 'f')
        return character - 'a' + 10;
    if (character >= 'A' && character <= 'F')
        return character - 'A' + 10;
    return -1;
}

// The character an escape at index (just past the backslash) stands for;
// moves index to its last character.
ErrorOr<char> readEscape(std::string_view line, std::size_t& index)
{
    switch (line[index]) {
    case 'n':
        return '\n';
    case 't':
        return '\t';
    case 'r':
        return '\r';
    case '"':
        return '"';
    case '\\':
        return '\\';
    case 'x': {
        int high = index + 1 < line.size() ? hexDigit(line[index + 1]) : -1;
        int low = index + 2 < line.size() ? hexDigit(line[index + 2]) : -1;
        if (high >= 0 && low >= 0) {
            index += 2;
            return static_cast<char>(high * 16 + low);
        }
        break;
    }
    default:
        break;
    }
    return Error { "expected \\n, \\t, \\r, \\\", \\\\ or \\xHH at " + describeColumn(index - 1) + ", got \\"
        + escapeControlCharacters(line.substr(index, 1)) };
}

// Reads a quoted string whose opening quote is at index; moves index past the
// closing quote.
ErrorOr<std::string> readQuoted(std::string_view line, std::size_t& index)
{
    std::size_t start = index;
    std::string text;
    for (++index; index < line.size(); ++index) {
        char character = line[index];
        if (character == '"') {
            ++index;
            if (index < line.size() && !isBlank(line[index]) && line[index] != '#')
                return Error { "expected a space after the closing quote at " + describeColumn(index - 1) };
            return text;
        }
        if (character != '\\') {
            text += character;
            continue;
        }
        if (++index == line.size())
            break;
        text += TRY(readEscape(line, index));
    }
    return Error { "expected a closing quote for the string that starts at " + describeColumn(start) };
}

} // namespace

ErrorOr<std::vector<ScriptToken>> tokenizeScriptLine(std::string_view line)
{
    std::vector<ScriptToken> tokens;
    std::size_t index = 0;
    while (index < line.size()) {
        if (isBlank(line[index])) {
            ++index;
            continue;
        }
        if (line[index] == '#')
            break;
        ScriptToken token;
        token.column = static_cast<int>(index + 1);
        if (line[index] == '"') {
            token.text = TRY(readQuoted(line, index));
            token.isQuoted = true;
        } else {
            while (index < line.size() && !isBlank(line[index]) && line[index] != '#') {
                if (line[index] == '"')
                    return Error { "expected a space or the end of the word before the quote at "
                        + describeColumn(index) + " (quote the whole argument)" };
                token.text += line[index++];
            }
        }
        tokens.push_back(std::move(token));
    }
    return tokens;
}
