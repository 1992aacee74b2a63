#pragma once

#include "platform/PlatformExport.h"

#include <string>
#include <string_view>

// The folder that stands for the device's file system. Every device-absolute
// path ("/var/mobile/Library/Preferences/…", "/Library/MobileSubstrate/…")
// lives inside it. One place decides which folder that is: an override (the
// simulator's --device option, the tests' fresh roots), else the environment
// variable CORVANE_DEVICE_ROOT, else the build's own device folder.
class PLATFORM_EXPORT DeviceRoot {
public:
    DeviceRoot() = delete;

    // The root folder, without a trailing slash.
    static std::string path();

    // Maps a device-absolute path into the root. The path is normalised
    // first, so ".." cannot climb out of the root.
    static std::string devicePath(std::string_view deviceAbsolutePath);
    // The same mapping into a given root folder.
    static std::string devicePathIn(std::string_view rootPath, std::string_view deviceAbsolutePath);

    static void setOverride(std::string rootPath);
    static void clearOverride();

    static constexpr const char* environmentVariable = "CORVANE_DEVICE_ROOT";
};
