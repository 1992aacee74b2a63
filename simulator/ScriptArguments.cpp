#include "simulator/ScriptArguments.h"

#include "simulator/ScriptText.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>

namespace {

std::optional<double> readDecimal(std::string_view text)
{
    // Plain decimals only: an optional sign, digits, an optional fraction.
    std::string_view digits = text;
    if (!digits.empty() && (digits.front() == '-' || digits.front() == '+'))
        digits.remove_prefix(1);
    bool sawDigit = false;
    bool sawPoint = false;
    for (char character : digits) {
        if (std::isdigit(static_cast<unsigned char>(character)))
            sawDigit = true;
        else if (character == '.' && !sawPoint)
            sawPoint = true;
        else
            return std::nullopt;
    }
    if (!sawDigit)
        return std::nullopt;
    std::string_view parsed = text.front() == '+' ? text.substr(1) : text;
    double number = 0;
    auto result = std::from_chars(parsed.data(), parsed.data() + parsed.size(), number);
    if (result.ec != std::errc() || result.ptr != parsed.data() + parsed.size())
        return std::nullopt;
    return number;
}

std::string formatBound(double bound)
{
    std::string text = formatScriptNumber(bound);
    if (text.find('.') != std::string::npos) {
        text.erase(text.find_last_not_of('0') + 1);
        if (text.back() == '.')
            text.pop_back();
    }
    return text;
}

} // namespace

ScriptArguments::ScriptArguments(std::vector<ScriptToken> tokens, std::string command)
    : m_tokens(std::move(tokens))
    , m_command(std::move(command))
{
}

Error ScriptArguments::expected(std::string_view what) const
{
    std::string message = "expected " + std::string(what) + " after " + quoteScriptString(m_command);
    if (!atEnd())
        message += ", got " + quoteScriptString(peek().text);
    return Error { message };
}

ErrorOr<std::string> ScriptArguments::word(std::string_view what)
{
    if (atEnd())
        return expected(what);
    return m_tokens[m_next++].text;
}

ErrorOr<double> ScriptArguments::number(std::string_view what)
{
    if (atEnd())
        return expected(what);
    std::optional<double> value = peek().isQuoted ? std::nullopt : readDecimal(peek().text);
    if (!value)
        return expected(what);
    ++m_next;
    return *value;
}

ErrorOr<double> ScriptArguments::numberWithin(std::string_view what, double lowest, double highest)
{
    std::string range = std::string(what) + " from " + formatBound(lowest) + " to " + formatBound(highest);
    if (atEnd())
        return expected(range);
    std::string written = peek().text;
    double value = TRY(number(what));
    if (value < lowest || value > highest)
        return Error { "expected " + range + " after " + quoteScriptString(m_command) + ", got "
            + quoteScriptString(written) };
    return value;
}

ErrorOr<int> ScriptArguments::wholeNumberWithin(std::string_view what, int lowest, int highest)
{
    std::string range
        = std::string(what) + " from " + std::to_string(lowest) + " to " + std::to_string(highest);
    if (atEnd())
        return expected(range);
    std::string written = peek().text;
    double value = TRY(number(range));
    if (value < lowest || value > highest || value != static_cast<int>(value))
        return Error { "expected " + range + " after " + quoteScriptString(m_command) + ", got "
            + quoteScriptString(written) };
    return static_cast<int>(value);
}

ErrorOr<std::string> ScriptArguments::choice(
    std::string_view what, std::initializer_list<std::string_view> choices)
{
    if (atEnd())
        return expected(what);
    if (std::find(choices.begin(), choices.end(), peek().text) == choices.end())
        return Error { "expected " + std::string(what) + ", got " + quoteScriptString(peek().text) };
    return m_tokens[m_next++].text;
}

ErrorOr<void> ScriptArguments::end() const
{
    if (!atEnd())
        return Error { "expected the end of the line after " + quoteScriptString(m_command) + ", got "
            + quoteScriptString(peek().text) };
    return {};
}
