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
}

Error TextLines::tooLong(std::size_t lineNumber) const
{
    return Error { "line " + std::to_string(lineNumber) + " is longer than " + std::to_string(m_longestLine)
        + " bytes, the most a line may hold" };
}

ErrorOr<std::optional<std::string>> TextLines::next()
{
    const bool isFirst = m_lineNumber == 0;
    // Room for the line, the carriage return of its break and, on the first
    // line, a byte-order mark: a line with more is too long, whatever it is.
    const std::size_t most = m_longestLine + 1 + (isFirst ? byteOrderMark.size() : 0);
    std::string line;
    bool endedByLineFeed = false;
    // Straight from the stream's buffer, which hands on why a read failed.
    std::streambuf& buffer = *m_input.rdbuf();
    try {
        for (int character = buffer.sbumpc(); character != std::char_traits<char>::eof();
             character = buffer.sbumpc()) {
            if (character == '\n') {
                endedByLineFeed = true;
                break;
            }
            if (line.size() == most)
                return tooLong(m_lineNumber + 1);
            line += static_cast<char>(character);
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
        return tooLong(m_lineNumber);
    return std::optional<std::string>(std::move(line));
}
