#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGContext.h"
#include "platform/graphics/CGImage.h"

#include <cstddef>
#include <cstdint>
#include <memory>

struct CGContextDeleter {
    PLATFORM_EXPORT void operator()(CGContext* context) const noexcept;
};
// The owner of a bitmap context; .get() is the CGContextRef that drawing calls take.
using CGContextPtr = std::unique_ptr<CGContext, CGContextDeleter>;

// A transparent ARGB bitmap of widthPoints × heightPoints points at the given
// scale (pixels per point, 1 or 2 on the device); its size in pixels is the
// point size times the scale, rounded up. The transformation starts scaled so
// that callers draw in points, y down, origin top-left. Null when a size or
// the scale is not a positive finite number or the bitmap would exceed 16384
// pixels on a side.
PLATFORM_EXPORT CGContextPtr CGBitmapContextCreate(
    CGFloat widthPoints, CGFloat heightPoints, CGFloat scale = 1);

PLATFORM_EXPORT std::size_t CGBitmapContextGetWidth(CGContextRef context);
PLATFORM_EXPORT std::size_t CGBitmapContextGetHeight(CGContextRef context);
PLATFORM_EXPORT CGFloat CGBitmapContextGetScale(CGContextRef context);
// The pixels as they stand: rows of 32-bit premultiplied ARGB words in the
// machine's byte order, GetBytesPerRow apart. Valid until the next drawing.
PLATFORM_EXPORT const std::uint8_t* CGBitmapContextGetData(CGContextRef context);
PLATFORM_EXPORT std::size_t CGBitmapContextGetBytesPerRow(CGContextRef context);

// A snapshot of the bitmap as it stands; later drawing does not change it.
PLATFORM_EXPORT CGImageRef CGBitmapContextCreateImage(CGContextRef context);
// A snapshot of the pixels under a rectangle in user space, which must fall
// on whole pixels of the bitmap, at the current transformation without
// rotation; null where it does not, or reaches outside the bitmap.
PLATFORM_EXPORT CGImageRef CGBitmapContextCreateImageInRect(CGContextRef context, CGRect rect);
