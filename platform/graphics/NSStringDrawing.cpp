#include "platform/graphics/NSStringDrawing.h"

#include "platform/graphics/CGContextCairo.h"
#include "platform/graphics/CTFontPango.h"
#include "platform/graphics/GlyphLinePainter.h"
#include "platform/graphics/ShapedParagraph.h"
#include "platform/graphics/TextParagraph.h"
#include "platform/graphics/ValidUTF8.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr CGFloat fitTolerance = 0.01f;
constexpr std::size_t unlimitedLines = std::numeric_limits<std::size_t>::max();

struct SetLine {
    std::shared_ptr<const ShapedParagraph> paragraph;
    std::size_t index;

    const ShapedLine& line() const { return paragraph->lines()[index]; }
    CGFloat width() const { return static_cast<CGFloat>(line().width); }
};

TextWrap wrapFor(NSLineBreakMode mode)
{
    switch (mode) {
    case NSLineBreakByWordWrapping:
        return TextWrap::Word;
    case NSLineBreakByCharWrapping:
        return TextWrap::Character;
    default:
        return TextWrap::None;
    }
}

TextEllipsis ellipsisFor(NSLineBreakMode mode)
{
    switch (mode) {
    case NSLineBreakByTruncatingHead:
        return TextEllipsis::Start;
    case NSLineBreakByTruncatingMiddle:
        return TextEllipsis::Middle;
    case NSLineBreakByTruncatingTail:
        return TextEllipsis::End;
    default:
        return TextEllipsis::None;
    }
}

// The text's lines in one font, paragraph by paragraph, wrapped or truncated
// to the width by the mode (no width: as they are), at most maximumLines.
std::vector<SetLine> setLines(
    const NSString& string, const CTFont& font, CGFloat width, NSLineBreakMode mode, std::size_t maximumLines)
{
    NSString valid = withValidUTF8(string);
    const std::string& text = valid.utf8();
    std::vector<SetLine> lines;
    std::size_t start = 0;
    do {
        TextParagraph paragraph = TextParagraph::at(text, start, text.size());
        std::string_view content = std::string_view(text).substr(start, paragraph.contentEnd - start);
        ShapingRequest request { content, { { 0, content.size(), &font } }, &font, width, wrapFor(mode),
            ellipsisFor(mode) };
        auto shaped = ShapedParagraph::shape(request);
        for (std::size_t index = 0; index < shaped->lines().size() && lines.size() < maximumLines; ++index)
            lines.push_back({ shaped, index });
        start = paragraph.next;
    } while (start < text.size() && lines.size() < maximumLines);
    return lines;
}

std::size_t linesFitting(CGFloat height, CGFloat lineHeight)
{
    if (!(height > 0) || std::isinf(height) || !(lineHeight > 0))
        return height > 0 ? unlimitedLines : 1;
    // A height as tall as the largest float stands for no limit; converting
    // its line count to an integer would overflow.
    double lines = std::floor((static_cast<double>(height) + fitTolerance) / lineHeight);
    if (lines >= static_cast<double>(unlimitedLines))
        return unlimitedLines;
    return std::max<std::size_t>(1, static_cast<std::size_t>(lines));
}

CGSize sizeOf(const std::vector<SetLine>& lines, const CTFont& font)
{
    CGFloat width = 0;
    for (const SetLine& line : lines)
        width = std::max(width, line.width());
    return { width, font.lineHeight() * static_cast<CGFloat>(lines.size()) };
}

CGFloat alignmentOffset(NSTextAlignment alignment, CGFloat available, CGFloat lineWidth)
{
    switch (alignment) {
    case NSTextAlignmentCenter:
        return (available - lineWidth) / 2;
    case NSTextAlignmentRight:
        return available - lineWidth;
    default:
        return 0;
    }
}

// Paints the lines from `top` down in the context's fill colour, each placed
// left, centred or right within `available` from `left`.
void paintLines(CGContext& context, const std::vector<SetLine>& lines, const CTFont& font, CGFloat left,
    CGFloat top, CGFloat available, NSTextAlignment alignment)
{
    CGColor fill = context.state().fillColor;
    const CTFontMetrics& metrics = font.metrics();
    auto style = [&](std::size_t) { return GlyphStyle { 0, fill, false, &font }; };
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const SetLine& line = lines[index];
        CGPoint baseline { left + alignmentOffset(alignment, available, line.width()),
            top + font.lineHeight() * static_cast<CGFloat>(index) + metrics.ascent };
        std::vector<GlyphSegment> segments = segmentGlyphs(line.line(), style);
        paintGlyphLine(context, *line.paragraph, line.line(), segments, baseline, false, metrics.ascent,
            metrics.descent);
    }
}

} // namespace

CGSize sizeWithFont(const NSString& text, const CTFontRef& font)
{
    if (text.isNil() || !font)
        return {};
    return sizeOf(setLines(text, *font, 0, NSLineBreakByClipping, unlimitedLines), *font);
}

CGSize sizeWithFontConstrainedToSize(
    const NSString& text, const CTFontRef& font, CGSize size, NSLineBreakMode lineBreakMode)
{
    if (text.isNil() || !font)
        return {};
    std::size_t maximumLines = linesFitting(size.height, font->lineHeight());
    return sizeOf(setLines(text, *font, size.width, lineBreakMode, maximumLines), *font);
}

CGSize drawInRect(const NSString& text, CGRect rect, const CTFontRef& font, NSLineBreakMode lineBreakMode,
    NSTextAlignment alignment)
{
    if (text.isNil() || !font)
        return {};
    std::size_t maximumLines = linesFitting(rect.height(), font->lineHeight());
    std::vector<SetLine> lines = setLines(text, *font, rect.width(), lineBreakMode, maximumLines);
    if (CGContextRef context = UIGraphicsGetCurrentContext()) {
        bool clips = lineBreakMode == NSLineBreakByClipping;
        if (clips) {
            CGContextSaveGState(context);
            CGContextClipToRect(context, rect);
        }
        paintLines(*context, lines, *font, rect.minX(), rect.minY(), rect.width(), alignment);
        if (clips)
            CGContextRestoreGState(context);
    }
    return sizeOf(lines, *font);
}

CGSize drawAtPoint(const NSString& text, CGPoint point, const CTFontRef& font)
{
    if (text.isNil() || !font)
        return {};
    std::vector<SetLine> lines = setLines(text, *font, 0, NSLineBreakByClipping, unlimitedLines);
    if (CGContextRef context = UIGraphicsGetCurrentContext())
        paintLines(*context, lines, *font, point.x, point.y, 0, NSTextAlignmentLeft);
    return sizeOf(lines, *font);
}
