#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"

class UIFont;

// How text that does not fit its rectangle is broken or shortened.
enum UILineBreakMode {
    UILineBreakModeWordWrap = 0,
    UILineBreakModeCharacterWrap = 1,
    UILineBreakModeClip = 2,
    UILineBreakModeHeadTruncation = 3,
    UILineBreakModeTailTruncation = 4,
    UILineBreakModeMiddleTruncation = 5,
};

enum UITextAlignment {
    UITextAlignmentLeft = 0,
    UITextAlignmentCenter = 1,
    UITextAlignmentRight = 2,
};

// The string drawing operations of the toolkit. Text is drawn with the
// current context's fill colour and shadow.

// The size of the text set on one line in the font (sizeWithFont:).
PLATFORM_EXPORT CGSize sizeWithFont(const NSString& text, const UIFont* font);
// The size of the text broken into lines no wider than the size's width and
// cut after the lines that fit its height.
PLATFORM_EXPORT CGSize sizeWithFontConstrainedToSizeLineBreakMode(
    const NSString& text, const UIFont* font, CGSize size, UILineBreakMode lineBreakMode);
// Draws the text into the rectangle from its top, breaking lines to its width
// and stopping at its bottom; answers the size drawn.
PLATFORM_EXPORT CGSize drawInRectWithFontLineBreakModeAlignment(const NSString& text, CGRect rect,
    const UIFont* font, UILineBreakMode lineBreakMode, UITextAlignment alignment);
// One line from the point (its top-left corner).
PLATFORM_EXPORT CGSize drawAtPointWithFont(const NSString& text, CGPoint point, const UIFont* font);
