#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/CTFont.h"

enum NSLineBreakMode : int {
    NSLineBreakByWordWrapping = 0,
    NSLineBreakByCharWrapping = 1,
    NSLineBreakByClipping = 2,
    NSLineBreakByTruncatingHead = 3,
    NSLineBreakByTruncatingTail = 4,
    NSLineBreakByTruncatingMiddle = 5,
};

// The toolkit's alignment (note: not CoreText's numbering).
enum NSTextAlignment : int {
    NSTextAlignmentLeft = 0,
    NSTextAlignmentCenter = 1,
    NSTextAlignmentRight = 2,
};

// The toolkit's string drawing, in its y-down coordinates. Every line is the
// font's line height (ascent + descent) high with its baseline the ascent
// below the line's top; a line feed starts a new line. Sizes keep fractions
// of a point and depend only on the font and the text: no hinting, no
// rounding. A nil string or missing font measures zero and draws nothing.

// The size of the text set without wrapping: the widest line's width and the
// number of lines times the line height.
PLATFORM_EXPORT CGSize sizeWithFont(const NSString& text, const CTFontRef& font);
// The size of the text wrapped (or truncated) to the width by the mode, with
// only as many lines as fit in the height (one at least).
PLATFORM_EXPORT CGSize sizeWithFontConstrainedToSize(
    const NSString& text, const CTFontRef& font, CGSize size, NSLineBreakMode lineBreakMode);

// Draws the text into the rectangle in the current context
// (UIGraphicsGetCurrentContext), in its fill colour and under its shadow:
// lines from the rectangle's top, wrapped to its width by the mode (the
// truncating modes set each paragraph on one line with an ellipsis, clipping
// cuts what passes the rectangle's sides), as many as fit in its height and
// always the first one; each aligned within the width. Answers the size used.
PLATFORM_EXPORT CGSize drawInRect(const NSString& text, CGRect rect, const CTFontRef& font,
    NSLineBreakMode lineBreakMode, NSTextAlignment alignment);
// Draws the text without wrapping, its first line's top-left corner at point.
PLATFORM_EXPORT CGSize drawAtPoint(const NSString& text, CGPoint point, const CTFontRef& font);
