#pragma once

#include "platform/graphics/CTFrame.h"
#include "platform/graphics/GlyphLinePainter.h"

#include <memory>
#include <vector>

class ShapedParagraph;

// A line of a frame, placed: its shaped glyphs, how they are painted, and
// where its baseline starts in the user space the frame was set for.
struct CTFramePlacedLine {
    std::shared_ptr<const ShapedParagraph> paragraph;
    std::size_t lineIndex;
    CTFrameLine info;
    CGPoint baseline;
    std::vector<GlyphSegment> segments;
};

class CTFrame {
public:
    std::vector<CTFramePlacedLine> lines;
    CFRange visibleRange;
};
