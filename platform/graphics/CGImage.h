#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/CGContext.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>

// An immutable bitmap image, shared by whoever holds it.
class CGImage;
using CGImageRef = std::shared_ptr<const CGImage>;

// One pixel, not premultiplied.
struct CGPixel {
    std::uint8_t alpha { 0 };
    std::uint8_t red { 0 };
    std::uint8_t green { 0 };
    std::uint8_t blue { 0 };

    std::uint32_t argb() const
    {
        return std::uint32_t(alpha) << 24 | std::uint32_t(red) << 16 | std::uint32_t(green) << 8 | blue;
    }
    friend bool operator==(const CGPixel&, const CGPixel&) = default;
};

// Null when the bytes or the file are not a readable PNG image.
PLATFORM_EXPORT CGImageRef CGImageCreateWithPNGData(std::span<const std::uint8_t> bytes);
PLATFORM_EXPORT CGImageRef CGImageCreateWithPNGFile(const std::string& path);

// Size in pixels; 0 for a missing image.
PLATFORM_EXPORT std::size_t CGImageGetWidth(const CGImageRef& image);
PLATFORM_EXPORT std::size_t CGImageGetHeight(const CGImageRef& image);
// The pixel at column x, row y (row 0 at the top); transparent outside the image.
PLATFORM_EXPORT CGPixel CGImageGetPixel(const CGImageRef& image, std::size_t x, std::size_t y);

// The image as PNG bytes; empty when there is no image or encoding fails.
PLATFORM_EXPORT NSData CGImageCopyPNGData(const CGImageRef& image);
// Writes the image as a PNG file; false when there is no image or the file
// cannot be written.
[[nodiscard]] PLATFORM_EXPORT bool CGImageWritePNG(const CGImageRef& image, const std::string& path);

// Draws the image scaled into the rectangle, its top row along the
// rectangle's minimum-y edge: upright in the toolkit's y-down coordinates, as
// UIImage's drawInRect: draws. The shadow applies.
PLATFORM_EXPORT void CGContextDrawImage(CGContextRef context, CGRect rect, const CGImageRef& image);
