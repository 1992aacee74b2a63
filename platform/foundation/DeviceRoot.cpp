#include "platform/foundation/DeviceRoot.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

#ifndef CORVANE_BUILD_DEVICE_ROOT
#error "CORVANE_BUILD_DEVICE_ROOT names the build's device folder; the build system defines it."
#endif

namespace {

std::optional<std::string>& rootOverride()
{
    static std::optional<std::string> override;
    return override;
}

std::string withoutTrailingSlash(std::string path)
{
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    return path;
}

} // namespace

std::string DeviceRoot::path()
{
    if (rootOverride())
        return *rootOverride();
    const char* fromEnvironment = std::getenv(environmentVariable);
    if (fromEnvironment && *fromEnvironment)
        return withoutTrailingSlash(fromEnvironment);
    return withoutTrailingSlash(CORVANE_BUILD_DEVICE_ROOT);
}

std::string DeviceRoot::devicePath(std::string_view deviceAbsolutePath)
{
    return devicePathIn(path(), deviceAbsolutePath);
}

std::string DeviceRoot::devicePathIn(std::string_view rootPath, std::string_view deviceAbsolutePath)
{
    // Rooting the path at "/" before normalising swallows any leading "..".
    auto inside = (std::filesystem::path("/") / std::filesystem::path(deviceAbsolutePath)).lexically_normal();
    std::string root = withoutTrailingSlash(std::string(rootPath));
    if (root == "/")
        return inside.string();
    return root + inside.string();
}

void DeviceRoot::setOverride(std::string rootPath)
{
    rootOverride() = withoutTrailingSlash(std::move(rootPath));
}

void DeviceRoot::clearOverride()
{
    rootOverride().reset();
}
