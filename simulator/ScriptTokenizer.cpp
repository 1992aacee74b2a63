#include "simulator/ScriptTokenizer.h"

namespace {

bool isBlank(char character)
{
    return character == ' ' || character == '\t' || character == '\r';
}

std::string describeColumn(std::size_t index)
{
    return "column " + std::to_string(index + 1);
}

// Reads a quoted string whose opening quote is at index; moves index past the
// closing quote.
std::optional<std::string> readQuoted(std::string_view line, std::size_t& index, std::string& error)
{
    std::size_t start = index;
    std::string text;
    for (++index; index < line.size(); ++index) {
        char character = line[index];
        if (character == '"') {
            ++index;
            if (index < line.size() && !isBlank(line[index]) && line[index] != '#') {
                error = "expected a space after the closing quote at " + describeColumn(index - 1);
                return std::nullopt;
            }
            return text;
        }
        if (character != '\\') {
            text += character;
            continue;
        }
        if (++index == line.size())
            break;
        switch (line[index]) {
        case 'n':
            text += '\n';
            break;
        case 't':
            text += '\t';
            break;
        case '"':
            text += '"';
            break;
        case '\\':
            text += '\\';
            break;
        default:
            error = std::string("expected \\n, \\t, \\\" or \\\\ at ") + describeColumn(index - 1)
                + ", got \\" + line[index];
            return std::nullopt;
        }
    }
    error = "expected a closing quote for the string that starts at " + describeColumn(start);
    return std::nullopt;
}

} // namespace

TokenizedLine tokenizeScriptLine(std::string_view line)
{
    TokenizedLine result;
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
            std::string error;
            auto text = readQuoted(line, index, error);
            if (!text) {
                result.error = error;
                return result;
            }
            token.text = std::move(*text);
            token.isQuoted = true;
        } else {
            while (index < line.size() && !isBlank(line[index]) && line[index] != '#') {
                if (line[index] == '"') {
                    result.error = "expected a space or the end of the word before the quote at "
                        + describeColumn(index) + " (quote the whole argument)";
                    return result;
                }
                token.text += line[index++];
            }
        }
        result.tokens.push_back(std::move(token));
    }
    return result;
}
