#pragma once

#include "platform/foundation/ErrorOr.h"

#include <cstdint>
#include <string>
#include <string_view>

// Writes premultiplied ARGB pixels (32 bits each, native byte order) to a PNG
// file; an error says why it cannot.
ErrorOr<void> writeArgbPng(const std::string& path, const std::uint32_t* pixels, int width, int height);

// Whether a name is one a PNG file goes by: something before ".png", in any case.
bool isPngFileName(std::string_view name);
