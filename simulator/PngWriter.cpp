#include "simulator/PngWriter.h"

#include <algorithm>
#include <cairo.h>
#include <cctype>
#include <memory>

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
    cairo_status_t status = cairo_surface_write_to_png(surface.get(), path.c_str());
    if (status != CAIRO_STATUS_SUCCESS)
        return Error { "cannot write " + path + ": " + cairo_status_to_string(status) };
    return {};
}

bool isPngFileName(std::string_view name)
{
    constexpr std::string_view ending = ".png";
    return name.size() > ending.size()
        && std::equal(ending.begin(), ending.end(), name.end() - static_cast<std::ptrdiff_t>(ending.size()),
            [](char expected, char given) {
                return expected == std::tolower(static_cast<unsigned char>(given));
            });
}
