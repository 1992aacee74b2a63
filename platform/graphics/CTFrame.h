#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CFRange.h"
#include "platform/graphics/CGContext.h"

#include <cstddef>
#include <memory>
#include <vector>

// Text set in a rectangle by a framesetter: lines with their glyphs placed.
class CTFrame;
using CTFrameRef = std::shared_ptr<const CTFrame>;

// One line of a frame.
struct CTFrameLine {
    CFRange stringRange;
    // The start of the baseline, relative to the path rectangle's origin
    // (bottom-left, y up), as CTFrameGetLineOrigins reports it.
    CGPoint origin;
    CGFloat width { 0 };
    CGFloat height { 0 };
    CGFloat ascent { 0 };
    CGFloat descent { 0 };
};

// Draws the lines in their fonts and colours, the context's shadow under
// each. Coordinates are CoreText's, y up: the caller flips a toolkit context
// first (translate by its height, scale y by −1), or the text stands on its head.
PLATFORM_EXPORT void CTFrameDraw(const CTFrameRef& frame, CGContextRef context);

PLATFORM_EXPORT std::vector<CTFrameLine> CTFrameGetLines(const CTFrameRef& frame);
PLATFORM_EXPORT std::vector<CGPoint> CTFrameGetLineOrigins(const CTFrameRef& frame);
// The part of the string the lines hold.
PLATFORM_EXPORT CFRange CTFrameGetVisibleStringRange(const CTFrameRef& frame);
