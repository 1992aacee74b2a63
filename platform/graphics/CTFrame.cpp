#include "platform/graphics/CTFrame.h"

#include "platform/graphics/CTFramePrivate.h"
#include "platform/graphics/ShapedParagraph.h"

void CTFrameDraw(const CTFrameRef& frame, CGContextRef context)
{
    if (!frame || !context)
        return;
    for (const CTFramePlacedLine& line : frame->lines) {
        paintGlyphLine(*context, *line.paragraph, line.paragraph->lines()[line.lineIndex], line.segments,
            line.baseline, true, line.info.ascent, line.info.descent);
    }
}

std::vector<CTFrameLine> CTFrameGetLines(const CTFrameRef& frame)
{
    std::vector<CTFrameLine> lines;
    if (frame) {
        for (const CTFramePlacedLine& line : frame->lines)
            lines.push_back(line.info);
    }
    return lines;
}

std::vector<CGPoint> CTFrameGetLineOrigins(const CTFrameRef& frame)
{
    std::vector<CGPoint> origins;
    if (frame) {
        for (const CTFramePlacedLine& line : frame->lines)
            origins.push_back(line.info.origin);
    }
    return origins;
}

CFRange CTFrameGetVisibleStringRange(const CTFrameRef& frame)
{
    return frame ? frame->visibleRange : CFRange {};
}
