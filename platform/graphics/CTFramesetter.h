#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CFRange.h"
#include "platform/graphics/CGPath.h"
#include "platform/graphics/CTFrame.h"
#include "platform/graphics/NSAttributedString.h"

#include <memory>

// Sets frames of one attributed string (a copy taken at creation).
class CTFramesetter;
using CTFramesetterRef = std::shared_ptr<const CTFramesetter>;

PLATFORM_EXPORT CTFramesetterRef CTFramesetterCreateWithAttributedString(const NSAttributedString& string);

// Lays the range of the string (length 0: to its end; clamped to the string)
// out in the path's rectangle. The rectangle is taken in the y-up coordinates
// CoreText draws in: its origin is its bottom-left corner. The frame fills it
// from its top edge downwards, line after line:
//  - a line feed (or carriage return, CR LF, U+2029) ends a paragraph; a
//    paragraph too wide for the rectangle wraps at word boundaries;
//  - a line is as high as its paragraph style says (equal minimum and maximum
//    line height fix it), else as its fonts' ascent + descent + leading; the
//    style and alignment of a paragraph are those of its first character;
//  - the baseline lies the largest descent of the line's fonts above the
//    line's bottom edge, so height a fixed line height adds or removes is
//    taken above the glyphs, as CoreText does;
//  - lines are placed left, centred or right in the rectangle's width by the
//    paragraph's alignment;
//  - the first line that would reach below the rectangle ends the frame.
// Null when the setter is missing.
PLATFORM_EXPORT CTFrameRef CTFramesetterCreateFrame(
    const CTFramesetterRef& framesetter, CFRange range, const CGPathRef& path);
