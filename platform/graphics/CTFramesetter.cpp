#include "platform/graphics/CTFramesetter.h"

#include "platform/graphics/CTFontPango.h"
#include "platform/graphics/CTFramePrivate.h"
#include "platform/graphics/FontTable.h"
#include "platform/graphics/ShapedParagraph.h"
#include "platform/graphics/TextParagraph.h"
#include "platform/graphics/UTF16ByteMap.h"

#include <algorithm>

namespace {

// A line may overshoot the rectangle by this much and still count as fitting,
// so that heights summed in single precision do not drop a last line.
constexpr CGFloat fitTolerance = 0.01f;

struct LineMetrics {
    CGFloat ascent { 0 };
    CGFloat descent { 0 };
    CGFloat leading { 0 };
};

CGFloat alignmentOffset(CTTextAlignment alignment, CGFloat available, CGFloat lineWidth)
{
    switch (alignment) {
    case kCTTextAlignmentCenter:
        return (available - lineWidth) / 2;
    case kCTTextAlignmentRight:
        return available - lineWidth;
    default:
        return 0;
    }
}

} // namespace

class CTFramesetter {
public:
    explicit CTFramesetter(const NSAttributedString& string);

    CTFrameRef createFrame(CFRange range, CGRect rect) const;

private:
    struct ByteRun {
        std::size_t start;
        std::size_t end;
        const CTStringAttributes* attributes;
    };

    bool placeParagraph(CTFrame& frame, const TextParagraph& paragraph, CGRect rect, CGFloat& top) const;
    ShapingRequest shapingRequest(const TextParagraph& paragraph, CGFloat width) const;
    LineMetrics metricsOf(std::size_t start, std::size_t end) const;
    std::size_t runIndexAt(std::size_t byte) const;
    const CTStringAttributes& attributesAt(std::size_t byte) const;
    const CTFont& fontOf(const CTStringAttributes& attributes) const;

    NSAttributedString m_string;
    std::string_view m_text;
    UTF16ByteMap m_offsets;
    std::vector<ByteRun> m_runs;
    CTFontRef m_defaultFont;
};

CTFramesetter::CTFramesetter(const NSAttributedString& string)
    : m_string(string)
    , m_text(m_string.string().utf8())
    , m_offsets(m_text)
    , m_defaultFont(FontTable::shared().defaultFont())
{
    for (const NSAttributedString::Run& run : m_string.runs()) {
        m_runs.push_back({ m_offsets.byteOffset(run.range.location),
            m_offsets.byteOffset(run.range.location + run.range.length), &run.attributes });
    }
}

std::size_t CTFramesetter::runIndexAt(std::size_t byte) const
{
    auto found = std::upper_bound(m_runs.begin(), m_runs.end(), byte,
        [](std::size_t value, const ByteRun& run) { return value < run.end; });
    return static_cast<std::size_t>(found - m_runs.begin());
}

const CTStringAttributes& CTFramesetter::attributesAt(std::size_t byte) const
{
    static const CTStringAttributes none;
    std::size_t index = runIndexAt(byte);
    return index < m_runs.size() ? *m_runs[index].attributes : none;
}

const CTFont& CTFramesetter::fontOf(const CTStringAttributes& attributes) const
{
    return attributes.font ? *attributes.font : *m_defaultFont;
}

ShapingRequest CTFramesetter::shapingRequest(const TextParagraph& paragraph, CGFloat width) const
{
    ShapingRequest request { m_text.substr(paragraph.start, paragraph.contentEnd - paragraph.start), {},
        m_defaultFont.get(), width, TextWrap::Word, TextEllipsis::None };
    for (std::size_t index = runIndexAt(paragraph.start); index < m_runs.size(); ++index) {
        const ByteRun& run = m_runs[index];
        if (run.start >= paragraph.contentEnd)
            break;
        std::size_t start = std::max(run.start, paragraph.start) - paragraph.start;
        std::size_t end = std::min(run.end, paragraph.contentEnd) - paragraph.start;
        const CTFont* font = &fontOf(*run.attributes);
        // Neighbours in the same font are shaped together, as one text.
        if (!request.runs.empty() && request.runs.back().font == font && request.runs.back().end == start)
            request.runs.back().end = end;
        else if (end > start)
            request.runs.push_back({ start, end, font });
    }
    return request;
}

// The largest ascent, descent and leading of the fonts in the bytes; an empty
// line takes them from the font of its line feed.
LineMetrics CTFramesetter::metricsOf(std::size_t start, std::size_t end) const
{
    LineMetrics line;
    auto include = [&](const CTFont& font) {
        line.ascent = std::max(line.ascent, font.metrics().ascent);
        line.descent = std::max(line.descent, font.metrics().descent);
        line.leading = std::max(line.leading, font.metrics().leading);
    };
    if (start == end) {
        include(fontOf(attributesAt(start)));
        return line;
    }
    for (std::size_t index = runIndexAt(start); index < m_runs.size() && m_runs[index].start < end; ++index)
        include(fontOf(*m_runs[index].attributes));
    return line;
}

// Sets the paragraph's lines from `top` downwards; false when a line did not
// fit, which ends the frame.
bool CTFramesetter::placeParagraph(
    CTFrame& frame, const TextParagraph& paragraph, CGRect rect, CGFloat& top) const
{
    // 1. The paragraph's style is that of its first character.
    const CTStringAttributes& first = attributesAt(paragraph.start);
    static const CTParagraphStyle plainStyle;
    const CTParagraphStyle& style = first.paragraphStyle ? *first.paragraphStyle : plainStyle;

    // 2. Shape it, wrapped to the rectangle's width.
    auto shaped = ShapedParagraph::shape(shapingRequest(paragraph, rect.width()));
    const auto& lines = shaped->lines();

    // 3. Stack its lines.
    for (std::size_t index = 0; index < lines.size(); ++index) {
        const ShapedLine& line = lines[index];
        std::size_t lineStart = paragraph.start + line.byteStart;
        std::size_t lineEnd = index + 1 == lines.size() ? paragraph.next : paragraph.start + line.byteEnd;
        LineMetrics metrics = metricsOf(lineStart, paragraph.start + line.byteEnd);
        CGFloat height = style.lineHeightFor(metrics.ascent + metrics.descent + metrics.leading);
        if (top - height < rect.minY() - fitTolerance)
            return false;
        // The baseline stands the descent above the line's bottom edge: height
        // a fixed line height adds or takes away is found above the glyphs.
        CGFloat baselineY = top - (height - metrics.descent);
        auto width = static_cast<CGFloat>(line.width);
        CGFloat x = rect.minX() + alignmentOffset(style.alignment, rect.width(), width);

        auto styleAt = [&](std::size_t byteInParagraph) {
            std::size_t runIndex = runIndexAt(paragraph.start + byteInParagraph);
            static const CTStringAttributes none;
            const CTStringAttributes& attributes
                = runIndex < m_runs.size() ? *m_runs[runIndex].attributes : none;
            return GlyphStyle { runIndex, attributes.foregroundColor.value_or(CGColor { 0, 0, 0, 1 }),
                attributes.underlineStyle.value_or(kCTUnderlineStyleNone) != kCTUnderlineStyleNone,
                &fontOf(attributes) };
        };
        std::size_t unitStart = m_offsets.unitOffset(lineStart);
        std::size_t unitEnd = m_offsets.unitOffset(lineEnd);
        CTFrameLine info { CFRangeMake(
                               static_cast<CFIndex>(unitStart), static_cast<CFIndex>(unitEnd - unitStart)),
            CGPointMake(x - rect.minX(), baselineY - rect.minY()), width, height, metrics.ascent,
            metrics.descent };
        frame.lines.push_back(
            { shaped, index, info, CGPointMake(x, baselineY), segmentGlyphs(line, styleAt) });
        frame.visibleRange.length = static_cast<CFIndex>(unitEnd) - frame.visibleRange.location;
        top -= height;
    }
    return true;
}

CTFrameRef CTFramesetter::createFrame(CFRange range, CGRect rect) const
{
    auto frame = std::make_shared<CTFrame>();
    // 1. The part of the string: a length of 0 runs to its end.
    auto length = static_cast<CFIndex>(m_offsets.length());
    CFIndex startUnit = std::clamp<CFIndex>(range.location, 0, length);
    CFIndex endUnit = range.length > 0 ? std::min(length, startUnit + range.length) : length;
    frame->visibleRange = CFRangeMake(startUnit, 0);
    if (rect.isEmpty())
        return frame;

    // 2. Paragraph after paragraph from the rectangle's top edge down.
    std::size_t start = m_offsets.byteOffset(static_cast<std::size_t>(startUnit));
    std::size_t end = m_offsets.byteOffset(static_cast<std::size_t>(endUnit));
    CGFloat top = rect.maxY();
    while (start < end) {
        TextParagraph paragraph = TextParagraph::at(m_text, start, end);
        if (!placeParagraph(*frame, paragraph, rect, top))
            break;
        start = paragraph.next;
    }
    return frame;
}

CTFramesetterRef CTFramesetterCreateWithAttributedString(const NSAttributedString& string)
{
    return std::make_shared<const CTFramesetter>(string);
}

CTFrameRef CTFramesetterCreateFrame(const CTFramesetterRef& framesetter, CFRange range, const CGPathRef& path)
{
    if (!framesetter)
        return nullptr;
    return framesetter->createFrame(range, CGPathGetBoundingBox(path));
}
