#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class CTFont;
typedef struct _cairo_scaled_font cairo_scaled_font_t;

enum class TextWrap { None, Word, Character };
enum class TextEllipsis { None, Start, Middle, End };

// A stretch of a paragraph set in one font; byte offsets into the paragraph.
struct ShapingRun {
    std::size_t start;
    std::size_t end;
    const CTFont* font;
};

// One paragraph (no line feeds) to shape: runs may leave gaps, which get the
// default font. A width of 0 or less means no width: nothing wraps.
struct ShapingRequest {
    std::string_view text;
    std::vector<ShapingRun> runs;
    const CTFont* defaultFont { nullptr };
    double width { 0 };
    TextWrap wrap { TextWrap::None };
    TextEllipsis ellipsis { TextEllipsis::None };
};

// A glyph placed on its line: x from the line's start, y from the baseline
// (downwards), byte offset of its cluster in the paragraph.
struct ShapedGlyph {
    std::uint32_t index;
    std::uint32_t byteOffset;
    std::uint32_t fontSlot;
    double x;
    double y;
    double advance;
};

struct ShapedLine {
    std::size_t byteStart;
    std::size_t byteEnd;
    double width;
    std::vector<ShapedGlyph> glyphs;
};

// A paragraph broken into lines of shaped glyphs, in visual order, with the
// scaled fonts that draw them. Immutable once made; shared by the frames and
// the cache that hold it.
class ShapedParagraph {
public:
    ShapedParagraph() = default;
    ~ShapedParagraph();
    ShapedParagraph(const ShapedParagraph&) = delete;
    ShapedParagraph& operator=(const ShapedParagraph&) = delete;

    const std::vector<ShapedLine>& lines() const { return m_lines; }
    cairo_scaled_font_t* font(std::uint32_t slot) const { return m_fonts[slot]; }

    // Shapes with pango and harfbuzz, reusing an earlier result for the same
    // request.
    static std::shared_ptr<const ShapedParagraph> shape(const ShapingRequest& request);

private:
    static std::shared_ptr<const ShapedParagraph> shapeUncached(const ShapingRequest& request);
    std::uint32_t slotFor(cairo_scaled_font_t* font);

    std::vector<ShapedLine> m_lines;
    std::vector<cairo_scaled_font_t*> m_fonts;
};
