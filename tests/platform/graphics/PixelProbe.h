#pragma once

#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/CGImage.h"

#include <cstdlib>
#include <functional>
#include <optional>

// Pixel questions the drawing tests ask of a snapshot, in pixel coordinates.
struct PixelBox {
    int left;
    int top;
    int right; // exclusive
    int bottom; // exclusive

    double centerX() const { return (left + right) / 2.0; }
    double centerY() const { return (top + bottom) / 2.0; }
    int width() const { return right - left; }
    int height() const { return bottom - top; }
};

using PixelTest = std::function<bool(const CGPixel&)>;

inline bool isInk(const CGPixel& pixel)
{
    return pixel.alpha > 40;
}

inline PixelTest isColored(int red, int green, int blue, int tolerance = 12)
{
    return [=](const CGPixel& pixel) {
        return pixel.alpha > 200 && std::abs(pixel.red - red) <= tolerance
            && std::abs(pixel.green - green) <= tolerance && std::abs(pixel.blue - blue) <= tolerance;
    };
}

// The smallest box holding every pixel that passes the test, within an
// optional region of the image; nothing when no pixel does.
inline std::optional<PixelBox> boxOf(
    const CGImageRef& image, const PixelTest& test = isInk, std::optional<PixelBox> region = std::nullopt)
{
    PixelBox area = region.value_or(PixelBox {
        0, 0, static_cast<int>(CGImageGetWidth(image)), static_cast<int>(CGImageGetHeight(image)) });
    std::optional<PixelBox> found;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x) {
            if (!test(CGImageGetPixel(image, static_cast<std::size_t>(x), static_cast<std::size_t>(y))))
                continue;
            if (!found) {
                found = PixelBox { x, y, x + 1, y + 1 };
                continue;
            }
            found->left = std::min(found->left, x);
            found->top = std::min(found->top, y);
            found->right = std::max(found->right, x + 1);
            found->bottom = std::max(found->bottom, y + 1);
        }
    }
    return found;
}

inline int countOf(
    const CGImageRef& image, const PixelTest& test, std::optional<PixelBox> region = std::nullopt)
{
    PixelBox area = region.value_or(PixelBox {
        0, 0, static_cast<int>(CGImageGetWidth(image)), static_cast<int>(CGImageGetHeight(image)) });
    int count = 0;
    for (int y = area.top; y < area.bottom; ++y) {
        for (int x = area.left; x < area.right; ++x)
            count += test(CGImageGetPixel(image, static_cast<std::size_t>(x), static_cast<std::size_t>(y)));
    }
    return count;
}

inline CGImageRef snapshot(const CGContextPtr& context)
{
    return CGBitmapContextCreateImage(context.get());
}
