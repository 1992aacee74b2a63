// Any bytes as the settings file: the extension reads them without crashing
// and always ends with one of the two choices of each setting.
#include "keyboard/ExtensionState.h"
#include "keyboard/Settings.h"
#include "platform/foundation/DeviceRoot.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace {

const std::string& settingsFile()
{
    static const std::string path = [] {
        std::string root
            = std::filesystem::temp_directory_path() / ("corvane-fuzz-" + std::to_string(::getpid()));
        DeviceRoot::setOverride(root);
        std::string file = DeviceRoot::devicePath(settingsFilePath);
        std::filesystem::create_directories(std::filesystem::path(file).parent_path());
        return file;
    }();
    return path;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream file(settingsFile(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    loadSettings();
    if (!gSettingsLoaded || (gTypeMode != 1 && gTypeMode != 2))
        std::abort();
    return 0;
}
