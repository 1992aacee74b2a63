// Any bytes as the settings file: the extension reads them without crashing
// and always ends with one of the two choices of each setting; the pane's
// store reads them too, and a change saved from there reaches the extension
// with every other key the file held kept.
#include "keyboard/ExtensionState.h"
#include "keyboard/Settings.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/PrefsHelper.h"

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

void checkExtensionReads()
{
    loadSettings();
    if (!gSettingsLoaded || (gTypeMode != 1 && gTypeMode != 2))
        std::abort();
}

// A fresh Settings process opens the pane, reads the gesture the way the
// sentence cell does and switches "type" to the other choice.
void checkPaneSavesAChange()
{
    PrefsHelper::resetProcessState();
    PrefsHelper* store = PrefsHelper::sharedHelper();
    int gesture = send(store, sel::preferenceObjectForKey, NSString("gesture")).intValue() == 2 ? 2 : 1;
    int type = send(store, sel::preferenceObjectForKey, NSString("type")).intValue() == 1 ? 2 : 1;
    send(store, sel::setPreferenceObjectForKey, Value(type), NSString("type"));
    auto kept = NSMutableDictionary::dictionaryWithContentsOfFile(settingsFile());
    send(store, sel::savePreferences);

    loadSettings();
    if (gTypeMode != type || gFlickGesture != (gesture == 1))
        std::abort();
    // Everything else the file held is still there.
    auto saved = NSMutableDictionary::dictionaryWithContentsOfFile(settingsFile());
    if (!saved || (kept && saved->count() != kept->count() + (kept->objectForKey("type").isNil() ? 1 : 0)))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    {
        std::ofstream file(settingsFile(), std::ios::binary | std::ios::trunc);
        file.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    checkExtensionReads();
    checkPaneSavesAChange();
    return 0;
}
