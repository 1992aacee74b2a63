#include "simulator/PngWriter.h"

#include "simulator/OutputFile.h"
#include "simulator/ScriptText.h"

#include <cairo.h>
#include <memory>

namespace {

cairo_status_t appendToString(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

} // namespace

ErrorOr<void> writeArgbPng(const std::string& path, const std::uint32_t* pixels, int width, int height)
{
    int stride = cairo_format_stride_for_width(CAIRO_FORMAT_ARGB32, width);
    if (stride != width * 4)
        return Error { "unexpected row size for a " + std::to_string(width) + " pixel wide image" };
    // cairo only reads the pixels here, although its signature cannot say so.
    auto* data = const_cast<unsigned char*>(reinterpret_cast<const unsigned char*>(pixels));
    std::unique_ptr<cairo_surface_t, decltype(&cairo_surface_destroy)> surface(
        cairo_image_surface_create_for_data(data, CAIRO_FORMAT_ARGB32, width, height, stride),
        &cairo_surface_destroy);
    std::string png;
    cairo_status_t status = cairo_surface_write_to_png_stream(surface.get(), appendToString, &png);
    if (status != CAIRO_STATUS_SUCCESS)
        return Error { "cannot encode the picture for " + escapeControlCharacters(path) + ": "
            + cairo_status_to_string(status) };
    return OutputFile::write(path, png);
}
