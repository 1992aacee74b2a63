#include "simulator/DeviceSelection.h"

#include <cstdlib>
#include <filesystem>

namespace {

namespace fs = std::filesystem;

const char* extensionPath = "Library/MobileSubstrate/DynamicLibraries/Corvane.dylib";

} // namespace

DeviceSelection selectDeviceRoot(const CommandLine& commandLine)
{
    DeviceSelection selection;
    std::string source;
    if (commandLine.deviceRoot) {
        selection.root = *commandLine.deviceRoot;
        source = "--device";
    } else if (const char* environment = std::getenv("CORVANE_DEVICE_ROOT"); environment && *environment) {
        selection.root = environment;
        source = "CORVANE_DEVICE_ROOT";
    } else {
        selection.root = CORVANE_BUILD_DEVICE_ROOT;
        source = "the build's device folder";
    }
    std::error_code error;
    selection.root = fs::absolute(selection.root, error).lexically_normal().string();
    if (selection.root.size() > 1 && selection.root.back() == '/')
        selection.root.pop_back();

    if (!fs::is_directory(selection.root, error)) {
        selection.error = "the device root " + selection.root + " (from " + source
            + ") is not a folder; build the project, which lays out its device folder, or prepare one with "
              "cmake --install BUILD --prefix DIR and pass --device DIR";
        return selection;
    }
    if (!fs::exists(fs::path(selection.root) / extensionPath, error))
        selection.warnings.push_back(
            "the device root has no " + std::string(extensionPath) + "; keyboards run without the extension");
    return selection;
}

std::string currentExecutable()
{
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string("/proc/self/exe") : path.string();
}
