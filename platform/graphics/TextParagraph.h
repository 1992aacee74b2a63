#pragma once

#include <cstddef>
#include <string_view>

// One paragraph of a text: from start to contentEnd, where a line feed, a
// carriage return (with the line feed that may follow it) or a paragraph
// separator ends it; the next paragraph starts at next.
struct TextParagraph {
    std::size_t start;
    std::size_t contentEnd;
    std::size_t next;

    // The paragraph of text[start, end) that begins at start.
    static TextParagraph at(std::string_view text, std::size_t start, std::size_t end);
};
