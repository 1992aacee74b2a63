#pragma once

#include "platform/foundation/ErrorOr.h"

#include <cstddef>
#include <iosfwd>
#include <optional>
#include <string>

// The lines of a text as `corvane-sim type` types them, read from a stream
// one at a time as they are typed, so that no more than one line is ever
// held. Lines end at line feeds; a carriage return before a line feed, or at
// the very end of the text, belongs to the line break; a final line feed ends
// the last line rather than starting an empty one; a UTF-8 byte-order mark at
// the start is not text.
class TextLines {
public:
    // longestLine: the most bytes a line may hold.
    TextLines(std::istream& input, std::size_t longestLine);

    // The next line, nothing once the text has ended; an error for a line
    // longer than the limit (its rest is not read) or a text that cannot be read.
    ErrorOr<std::optional<std::string>> next();
    // The number of the line next() last answered, from 1.
    std::size_t lineNumber() const { return m_lineNumber; }

private:
    Error tooLong(std::size_t lineNumber) const;

    std::istream& m_input;
    std::size_t m_longestLine;
    std::size_t m_lineNumber { 0 };
};
