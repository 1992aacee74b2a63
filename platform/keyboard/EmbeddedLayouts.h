#pragma once

#include "platform/PlatformExport.h"

#include <span>
#include <string_view>

// One layout data file as the build embedded it: its file name and its bytes.
struct EmbeddedLayoutFile {
    std::string_view name;
    std::string_view contents;
};

// Every file of platform/keyboard/layouts, in file-name order.
PLATFORM_EXPORT std::span<const EmbeddedLayoutFile> embeddedLayoutFiles();
