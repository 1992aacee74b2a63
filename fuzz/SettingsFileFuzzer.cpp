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
#include <map>
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
        std::string file = DeviceRoot::devicePath(contract::settingsFilePath);
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

// Each setting as the pane and the extension read it.
int choiceOf(PrefsHelper* store, const contract::Setting& setting)
{
    return setting.readChoice(send(store, sel::preferenceObjectForKey, NSString(setting.key)).intValue());
}

// A fresh Settings process opens the pane, reads every setting the way the
// sentence cell does and switches one of them to its other choice.
void checkPaneSavesAChange(const std::string& input, const contract::Setting& changedSetting)
{
    PrefsHelper::resetProcessState();
    PrefsHelper* store = PrefsHelper::sharedHelper();
    std::map<const contract::Setting*, int> choices;
    for (const contract::Setting& setting : contract::settings)
        choices[&setting] = choiceOf(store, setting);
    int& changed = choices[&changedSetting];
    changed = changed == contract::Setting::firstOption ? contract::Setting::secondOption
                                                        : contract::Setting::firstOption;
    const char* changedKey = changedSetting.key;
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
    for (const auto& [setting, choice] : choices) {
        if (loadedChoice(*setting) != choice)
            std::abort();
    }
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
    checkPaneSavesAChange(input, contract::settings[size ? data[size - 1] % contract::settings.size() : 0]);
    return 0;
}
