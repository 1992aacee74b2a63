#include "keyboard/Settings.h"

#include "keyboard/ExtensionState.h"
#include "keyboard/KeyboardModel.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/PreferencesFile.h"

#include <cstddef>

namespace {

// Where each setting's choice lands in the extension's state, row for row
// with the shared table, so that a setting the keyboard does not load does
// not compile.
struct LoadedSetting {
    const contract::Setting& setting;
    void (*apply)(int choice);
    int (*current)();
};

constexpr LoadedSetting loadedSettings[] = {
    { contract::typeSetting, [](int choice) { extension.gTypeMode = static_cast<TypeMode>(choice); },
        [] { return storedValue(extension.gTypeMode); } },
    { contract::gestureSetting, [](int choice) { extension.gFlickGesture = static_cast<Gesture>(choice); },
        [] { return storedValue(extension.gFlickGesture); } },
};

constexpr bool loadsEveryRowInOrder()
{
    if (std::size(loadedSettings) != contract::settings.size())
        return false;
    for (std::size_t row = 0; row < contract::settings.size(); ++row) {
        if (&loadedSettings[row].setting != &contract::settings[row])
            return false;
    }
    return true;
}
static_assert(loadsEveryRowInOrder(), "the keyboard loads every setting of the shared table");

} // namespace

void loadSettings()
{
    // Nothing when the file is absent, unreadable or not a dictionary; a
    // file that is there but refused is logged, as nobody would know otherwise.
    PreferencesFile::Contents settings = PreferencesFile::read(DeviceRoot::devicePath(settingsFilePath));
    if (settings.state == PreferencesFile::State::Refused)
        NSLog("Corvane: the settings file cannot be read, so the defaults apply: %@", { settings.problem });

    // A value with no integer reading (an array, say) reads as absent.
    for (const LoadedSetting& loaded : loadedSettings)
        loaded.apply(
            loaded.setting.readChoice(settings.dictionary->objectForKey(loaded.setting.key).intValue()));
    extension.gSettingsLoaded = true;
}

int loadedChoice(const contract::Setting& setting)
{
    for (const LoadedSetting& loaded : loadedSettings) {
        if (&loaded.setting == &setting)
            return loaded.current();
    }
    return setting.defaultChoice();
}

void settingsChanged(CFNotificationCenterRef, void*, NSString, const void*, NSMutableDictionary*)
{
    loadSettings();
    NSObject* layoutController = activeLayoutController();
    send(layoutController, sel::setKeyplaneName, send(layoutController, sel::keyplaneName));
}
