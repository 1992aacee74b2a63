#include "simulator/TextLines.h"

#include <istream>
#include <string_view>
#include <system_error>

namespace {

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";

} // namespace

TextLines::TextLines(std::istream& input, std::size_t longestLine)
    : m_input(input)
    , m_longestLine(longestLine)
{
    // A failed read of the input then comes here with its reason.
    m_input.exceptions(std::ios::badbit);
}

ErrorOr<std::optional<std::string>> TextLines::next()
{
    const bool isFirst = m_lineNumber == 0;
    Error tooLong { "line " + std::to_string(m_lineNumber + 1) + " is longer than "
        + std::to_string(m_longestLine) + " bytes, the most a line may hold" };
    // Room for the line, the carriage return of its break and, on the first
    // line, a byte-order mark: a line with more is too long, whatever it is.
    std::size_t most = m_longestLine + 1 + (isFirst ? byteOrderMark.size() : 0);
    std::string line;
    bool endedByLineFeed = false;
    try {
        char character;
        while (m_input.get(character)) {
            if (character == '\n') {
                endedByLineFeed = true;
                break;
            }
            if (line.size() == most)
                return tooLong;
            line += character;
        }
    } catch (const std::system_error& failure) {
        return Error { "cannot read the text to type: " + failure.code().message() };
    } catch (const std::exception&) {
        return Error { "cannot read the text to type" };
    }
    if (isFirst && line.starts_with(byteOrderMark))
        line.erase(0, byteOrderMark.size());
    if (!endedByLineFeed && line.empty())
        return std::optional<std::string>();

    ++m_lineNumber;
    if (line.ends_with('\r'))
        line.pop_back();
    if (line.size() > m_longestLine)
        return tooLong;
    return std::optional<std::string>(std::move(line));
}
