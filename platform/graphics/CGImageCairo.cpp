#include "platform/graphics/CGImageCairo.h"

#include "platform/graphics/CGContextCairo.h"

#include <cairo.h>
#include <cstring>

CGImage::CGImage(cairo_surface_t* surface)
    : m_surface(surface)
{
}

CGImage::~CGImage()
{
    cairo_surface_destroy(m_surface);
}

std::size_t CGImage::width() const
{
    return static_cast<std::size_t>(cairo_image_surface_get_width(m_surface));
}

std::size_t CGImage::height() const
{
    return static_cast<std::size_t>(cairo_image_surface_get_height(m_surface));
}

CGImageRef CGImage::copyOf(cairo_surface_t* source)
{
    cairo_surface_flush(source);
    int width = cairo_image_surface_get_width(source);
    int height = cairo_image_surface_get_height(source);
    cairo_surface_t* copy = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, width, height);
    if (cairo_surface_status(copy) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(copy);
        return nullptr;
    }
    cairo_t* cairo = cairo_create(copy);
    cairo_set_operator(cairo, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_surface(cairo, source, 0, 0);
    cairo_paint(cairo);
    cairo_destroy(cairo);
    cairo_surface_flush(copy);
    return std::make_shared<const CGImage>(copy);
}

namespace {

struct PNGReader {
    std::span<const std::uint8_t> bytes;
    std::size_t position { 0 };

    static cairo_status_t read(void* closure, unsigned char* data, unsigned int length)
    {
        auto* reader = static_cast<PNGReader*>(closure);
        if (reader->bytes.size() - reader->position < length)
            return CAIRO_STATUS_READ_ERROR;
        std::memcpy(data, reader->bytes.data() + reader->position, length);
        reader->position += length;
        return CAIRO_STATUS_SUCCESS;
    }
};

cairo_status_t appendToData(void* closure, const unsigned char* data, unsigned int length)
{
    auto* output = static_cast<NSData*>(closure);
    output->insert(output->end(), data, data + length);
    return CAIRO_STATUS_SUCCESS;
}

// PNG decoding hands back RGB24 for opaque images; images are kept ARGB32.
CGImageRef adoptDecoded(cairo_surface_t* decoded)
{
    if (cairo_surface_status(decoded) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(decoded);
        return nullptr;
    }
    if (cairo_image_surface_get_format(decoded) == CAIRO_FORMAT_ARGB32)
        return std::make_shared<const CGImage>(decoded);
    CGImageRef image = CGImage::copyOf(decoded);
    cairo_surface_destroy(decoded);
    return image;
}

std::uint8_t unpremultiply(std::uint32_t component, std::uint32_t alpha)
{
    return static_cast<std::uint8_t>((component * 255 + alpha / 2) / alpha);
}

} // namespace

CGImageRef CGImageCreateWithPNGData(std::span<const std::uint8_t> bytes)
{
    PNGReader reader { bytes };
    return adoptDecoded(cairo_image_surface_create_from_png_stream(&PNGReader::read, &reader));
}

CGImageRef CGImageCreateWithPNGFile(const std::string& path)
{
    return adoptDecoded(cairo_image_surface_create_from_png(path.c_str()));
}

std::size_t CGImageGetWidth(const CGImageRef& image)
{
    return image ? image->width() : 0;
}

std::size_t CGImageGetHeight(const CGImageRef& image)
{
    return image ? image->height() : 0;
}

CGPixel CGImageGetPixel(const CGImageRef& image, std::size_t x, std::size_t y)
{
    if (!image || x >= image->width() || y >= image->height())
        return {};
    cairo_surface_t* surface = image->surface();
    const unsigned char* row = cairo_image_surface_get_data(surface)
        + y * static_cast<std::size_t>(cairo_image_surface_get_stride(surface));
    std::uint32_t word;
    std::memcpy(&word, row + x * 4, sizeof word);
    std::uint32_t alpha = word >> 24;
    if (!alpha)
        return {};
    return { static_cast<std::uint8_t>(alpha), unpremultiply((word >> 16) & 0xff, alpha),
        unpremultiply((word >> 8) & 0xff, alpha), unpremultiply(word & 0xff, alpha) };
}

NSData CGImageCopyPNGData(const CGImageRef& image)
{
    NSData output;
    if (!image
        || cairo_surface_write_to_png_stream(image->surface(), appendToData, &output) != CAIRO_STATUS_SUCCESS)
        return {};
    return output;
}

bool CGImageWritePNG(const CGImageRef& image, const std::string& path)
{
    return image && cairo_surface_write_to_png(image->surface(), path.c_str()) == CAIRO_STATUS_SUCCESS;
}

void CGContextDrawImage(CGContextRef context, CGRect rect, const CGImageRef& image)
{
    if (!context || !image || rect.isEmpty() || !image->width() || !image->height())
        return;
    double scaleX = rect.width() / static_cast<double>(image->width());
    double scaleY = rect.height() / static_cast<double>(image->height());
    context->paintWithShadow(rect, [&](cairo_t* cairo, const CGColor* shadow) {
        cairo_save(cairo);
        cairo_translate(cairo, rect.minX(), rect.minY());
        cairo_scale(cairo, scaleX, scaleY);
        cairo_new_path(cairo);
        cairo_rectangle(
            cairo, 0, 0, static_cast<double>(image->width()), static_cast<double>(image->height()));
        cairo_clip(cairo);
        // Padding keeps the edges sharp when the image is scaled up.
        cairo_pattern_t* pattern = cairo_pattern_create_for_surface(image->surface());
        cairo_pattern_set_extend(pattern, CAIRO_EXTEND_PAD);
        cairo_pattern_set_filter(pattern, CAIRO_FILTER_GOOD);
        if (shadow) {
            setCairoSourceColor(cairo, *shadow);
            cairo_mask(cairo, pattern);
        } else {
            cairo_set_source(cairo, pattern);
            cairo_paint(cairo);
        }
        cairo_pattern_destroy(pattern);
        cairo_restore(cairo);
    });
}
