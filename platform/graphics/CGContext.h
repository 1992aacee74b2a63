#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGColor.h"
#include "platform/graphics/CGGeometry.h"

struct CGAffineTransform {
    CGFloat a { 1 }, b { 0 }, c { 0 }, d { 1 }, tx { 0 }, ty { 0 };
    friend bool operator==(const CGAffineTransform&, const CGAffineTransform&) = default;
};
inline constexpr CGAffineTransform CGAffineTransformIdentity {};

// A drawing context: a current transformation, a graphics-state stack with
// fill colour, shadow and clip, drawing into a bitmap. Its backend is hidden;
// no cairo type reaches the code that draws.
class CGContext;
using CGContextRef = CGContext*;

PLATFORM_EXPORT void CGContextSaveGState(CGContextRef context);
PLATFORM_EXPORT void CGContextRestoreGState(CGContextRef context);
PLATFORM_EXPORT void CGContextTranslateCTM(CGContextRef context, CGFloat tx, CGFloat ty);
PLATFORM_EXPORT void CGContextScaleCTM(CGContextRef context, CGFloat sx, CGFloat sy);
PLATFORM_EXPORT CGAffineTransform CGContextGetCTM(CGContextRef context);
PLATFORM_EXPORT void CGContextSetTextMatrix(CGContextRef context, CGAffineTransform matrix);
PLATFORM_EXPORT CGAffineTransform CGContextGetTextMatrix(CGContextRef context);
PLATFORM_EXPORT void CGContextSetFillColorWithColor(CGContextRef context, CGColor color);
PLATFORM_EXPORT void CGContextFillRect(CGContextRef context, CGRect rect);
// Fills a rectangle with rounded corners (the toolkit's corner radius).
PLATFORM_EXPORT void CGContextFillRoundedRect(CGContextRef context, CGRect rect, CGFloat radius);
PLATFORM_EXPORT void CGContextStrokeRect(CGContextRef context, CGRect rect, CGColor color, CGFloat lineWidth);
PLATFORM_EXPORT void CGContextClipToRect(CGContextRef context, CGRect rect);
// Blur 0 gives a hard copy of the shape at the offset.
PLATFORM_EXPORT void CGContextSetShadowWithColor(
    CGContextRef context, CGSize offset, CGFloat blur, CGColor color);

// The context that drawRect: draws into, set by whoever asks a view to draw.
PLATFORM_EXPORT CGContextRef UIGraphicsGetCurrentContext();
PLATFORM_EXPORT void UIGraphicsPushContext(CGContextRef context);
PLATFORM_EXPORT void UIGraphicsPopContext();
