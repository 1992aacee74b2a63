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
//
// Device space is the bitmap, y growing downwards, origin top-left, as in the
// toolkit's contexts; a new bitmap context's transformation is already scaled
// by its scale, so callers draw in points. Every call accepts a missing
// context (null) and then does nothing, or answers identity.
class CGContext;
using CGContextRef = CGContext*;

PLATFORM_EXPORT void CGContextSaveGState(CGContextRef context);
// Restoring more often than saving leaves the context as it is.
PLATFORM_EXPORT void CGContextRestoreGState(CGContextRef context);
PLATFORM_EXPORT void CGContextTranslateCTM(CGContextRef context, CGFloat tx, CGFloat ty);
PLATFORM_EXPORT void CGContextScaleCTM(CGContextRef context, CGFloat sx, CGFloat sy);
// User space to device space (pixels), the scale included.
PLATFORM_EXPORT CGAffineTransform CGContextGetCTM(CGContextRef context);
// The text matrix is kept but not part of the saved graphics state, as in
// CoreGraphics; text layout expects the identity.
PLATFORM_EXPORT void CGContextSetTextMatrix(CGContextRef context, CGAffineTransform matrix);
PLATFORM_EXPORT CGAffineTransform CGContextGetTextMatrix(CGContextRef context);
// Opaque black until set.
PLATFORM_EXPORT void CGContextSetFillColorWithColor(CGContextRef context, CGColor color);
PLATFORM_EXPORT void CGContextFillRect(CGContextRef context, CGRect rect);
// Fills a rectangle with rounded corners (the toolkit's corner radius).
PLATFORM_EXPORT void CGContextFillRoundedRect(CGContextRef context, CGRect rect, CGFloat radius);
PLATFORM_EXPORT void CGContextStrokeRect(CGContextRef context, CGRect rect, CGColor color, CGFloat lineWidth);
// Makes the rectangle transparent again; no shadow.
PLATFORM_EXPORT void CGContextClearRect(CGContextRef context, CGRect rect);
// Intersects the clip with the rectangle, in user space.
PLATFORM_EXPORT void CGContextClipToRect(CGContextRef context, CGRect rect);
// The smallest rectangle in user space that holds the clip; without a clip,
// the whole bitmap.
PLATFORM_EXPORT CGRect CGContextGetClipBoundingBox(CGContextRef context);

// Every later fill, stroke, image and text drawing first paints its shape in
// the shadow colour, displaced by the offset. The offset is in points of the
// base space, not affected by the current transformation: a positive width
// moves the shadow right and a positive height moves it DOWN on the bitmap,
// whatever way up the caller has turned its coordinates, so (0, 1) puts the
// shadow one point below the shape on screen. Blur 0 gives a hard copy of the
// shape at the offset; a larger blur softens it over about that many points.
// A clear colour turns the shadow off.
PLATFORM_EXPORT void CGContextSetShadowWithColor(
    CGContextRef context, CGSize offset, CGFloat blur, CGColor color);
// The default shadow colour: black at one third opacity.
PLATFORM_EXPORT void CGContextSetShadow(CGContextRef context, CGSize offset, CGFloat blur);

// The context that drawRect: draws into, set by whoever asks a view to draw.
// Nothing when no context has been pushed.
PLATFORM_EXPORT CGContextRef UIGraphicsGetCurrentContext();
PLATFORM_EXPORT void UIGraphicsPushContext(CGContextRef context);
PLATFORM_EXPORT void UIGraphicsPopContext();
