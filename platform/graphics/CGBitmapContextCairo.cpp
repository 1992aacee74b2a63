#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/CGContextCairo.h"
#include "platform/graphics/CGImageCairo.h"

#include <cairo.h>
#include <cmath>
#include <cstdlib>

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

namespace {

bool isWholePixel(double value)
{
    return value == std::floor(value);
}

// The pixels of a surface made on memory of its own, freed with the surface;
// malloc rather than cairo's zeroed memory, as every pixel is written at once.
cairo_surface_t* surfaceOnOwnMemory(int width, int height)
{
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    auto* data = static_cast<unsigned char*>(std::malloc(static_cast<std::size_t>(stride) * height));
    if (!data)
        return nullptr;
    cairo_surface_t* surface
        = cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width, height, stride);
    static cairo_user_data_key_t ownMemory;
    if (cairo_surface_status(surface) != CAIRO_STATUS_SUCCESS
        || cairo_surface_set_user_data(surface, &ownMemory, data, std::free) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(surface);
        std::free(data);
        return nullptr;
    }
    return surface;
}

} // namespace

CGImageRef CGBitmapContextCreateImageInRect(CGContextRef context, CGRect rect)
{
    if (!context || rect.isEmpty())
        return nullptr;
    cairo_matrix_t matrix;
    cairo_get_matrix(context->cairo(), &matrix);
    if (matrix.xy != 0 || matrix.yx != 0 || matrix.xx <= 0 || matrix.yy <= 0)
        return nullptr;
    double left = matrix.xx * rect.minX() + matrix.x0;
    double top = matrix.yy * rect.minY() + matrix.y0;
    double right = matrix.xx * rect.maxX() + matrix.x0;
    double bottom = matrix.yy * rect.maxY() + matrix.y0;
    cairo_surface_t* source = context->surface();
    if (!isWholePixel(left) || !isWholePixel(top) || !isWholePixel(right) || !isWholePixel(bottom) || left < 0
        || top < 0 || right > cairo_image_surface_get_width(source)
        || bottom > cairo_image_surface_get_height(source))
        return nullptr;
    cairo_surface_t* copy
        = surfaceOnOwnMemory(static_cast<int>(right - left), static_cast<int>(bottom - top));
    if (!copy)
        return nullptr;
    cairo_surface_flush(source);
    cairo_t* cairo = cairo_create(copy);
    cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cairo, source, -left, -top);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_flush(copy);
    return std::make_shared<const CGImage>(copy);
}
