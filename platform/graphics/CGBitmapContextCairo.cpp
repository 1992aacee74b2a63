#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/CGContextCairo.h"
#include "platform/graphics/CGImageCairo.h"

#include <cairo.h>
#include <cmath>

namespace {

constexpr double maximumPixels = 16384;

// Pixels for a length in points; a hair under a whole pixel is not rounded
// up to the next one.
double pixelsFor(CGFloat points, CGFloat scale)
{
    return std::ceil(static_cast<double>(points) * scale - 1e-4);
}

} // namespace

void CGContextDeleter::operator()(CGContext* context) const noexcept
{
    std::default_delete<CGContext>()(context);
}

CGContextPtr CGBitmapContextCreate(CGFloat widthPoints, CGFloat heightPoints, CGFloat scale)
{
    if (!(widthPoints > 0 && heightPoints > 0 && scale > 0) || !std::isfinite(widthPoints)
        || !std::isfinite(heightPoints) || !std::isfinite(scale))
        return nullptr;
    double width = pixelsFor(widthPoints, scale);
    double height = pixelsFor(heightPoints, scale);
    if (width > maximumPixels || height > maximumPixels)
        return nullptr;
    cairo_surface_t* surface
        = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, static_cast<int>(width), static_cast<int>(height));
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        return nullptr;
    }
    CGContextPtr context(std::make_unique<CGContext>(surface, scale).release());
    cairo_surface_destroy(surface);
    return context;
}

std::size_t CGBitmapContextGetWidth(CGContextRef context)
{
    return context ? static_cast<std::size_t>(cairo_image_surface_get_width(context->surface())) : 0;
}

std::size_t CGBitmapContextGetHeight(CGContextRef context)
{
    return context ? static_cast<std::size_t>(cairo_image_surface_get_height(context->surface())) : 0;
}

CGFloat CGBitmapContextGetScale(CGContextRef context)
{
    return context ? context->scale() : 0;
}

const std::uint8_t* CGBitmapContextGetData(CGContextRef context)
{
    if (!context)
        return nullptr;
    cairo_surface_flush(context->surface());
    return cairo_image_surface_get_data(context->surface());
}

std::size_t CGBitmapContextGetBytesPerRow(CGContextRef context)
{
    return context ? static_cast<std::size_t>(cairo_image_surface_get_stride(context->surface())) : 0;
}

CGImageRef CGBitmapContextCreateImage(CGContextRef context)
{
    return context ? CGImage::copyOf(context->surface()) : nullptr;
}
