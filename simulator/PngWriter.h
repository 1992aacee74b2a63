#pragma once

#include <cstdint>
#include <string>

// Writes premultiplied ARGB pixels (32 bits each, native byte order) to a PNG
// file; false with a reason when it cannot.
bool writeArgbPng(
    const std::string& path, const std::uint32_t* pixels, int width, int height, std::string& error);
