// Any bytes as the settings file: the extension reads them without crashing
// and always ends with one of the two choices of each setting; the pane's
// store reads them too and saves a change of one key (which one, the input
// decides, so that whatever the file holds under the other survives into the
// save). The extension must see the change, with every other key the file
// held kept, or, when the file could not be read, the file kept beside the
// new one as it was.
#include "keyboard/ExtensionState.h"
#include "keyboard/Settings.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PreferencesFile.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/PrefsHelper.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
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

std::string bytesOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

void checkExtensionReads()
{
    loadSettings();
    if (!extension.gSettingsLoaded)
        std::abort();
}

// Each setting as the pane and the extension read it: "type" 1 or 2, "gesture" 1 or 2.
int choiceOf(PrefsHelper* store, const char* key)
{
    int stored = send(store, sel::preferenceObjectForKey, NSString(key)).intValue();
    if (std::string(key) == "type")
        return stored == 1 ? 1 : 2;
    return stored == 2 ? 2 : 1;
}

// A fresh Settings process opens the pane, reads both settings the way the
// sentence cell does and switches one of them to its other choice.
void checkPaneSavesAChange(const std::string& input, const char* changedKey)
{
    PrefsHelper::resetProcessState();
    PrefsHelper* store = PrefsHelper::sharedHelper();
    int type = choiceOf(store, "type");
    int gesture = choiceOf(store, "gesture");
    int& changed = std::string(changedKey) == "type" ? type : gesture;
    changed = changed == 1 ? 2 : 1;
    send(store, sel::setPreferenceObjectForKey, Value(changed), NSString(changedKey));
    PreferencesFile::Contents before = PreferencesFile::read(settingsFile());
    send(store, sel::savePreferences);

    // A change that would make a file the readers refuse (an XML save past
    // their caps) is not written: the file stays byte for byte, and the
    // store goes back to what it holds.
    if (send(store, sel::preferenceObjectForKey, NSString(changedKey)) != Value(changed)) {
        if (bytesOf(settingsFile()) != input || before.state != PreferencesFile::State::Read)
            std::abort();
        return;
    }
    loadSettings();
    if (storedValue(extension.gTypeMode) != type || storedValue(extension.gFlickGesture) != gesture)
        std::abort();
    auto saved = PreferencesFile::read(settingsFile());
    if (saved.state != PreferencesFile::State::Read)
        std::abort();
    if (before.state == PreferencesFile::State::Refused) {
        // Nothing the file held is lost: it is kept beside, byte for byte.
        if (bytesOf(settingsFile() + ".refused") != input)
            std::abort();
        return;
    }
    // Everything else the file held is still there.
    bool added = before.dictionary->objectForKey(changedKey).isNil();
    if (saved.dictionary->count() != before.dictionary->count() + (added ? 1 : 0))
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string input(reinterpret_cast<const char*>(data), size);
    std::filesystem::path folder = std::filesystem::path(settingsFile()).parent_path();
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    std::ofstream(settingsFile(), std::ios::binary) << input;
    checkExtensionReads();
    checkPaneSavesAChange(input, size && data[size - 1] % 2 ? "gesture" : "type");
    return 0;
}
