#include "keyboard/Settings.h"

#include "keyboard/ExtensionState.h"
#include "keyboard/KeyboardModel.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/PreferencesFile.h"

namespace {

// "type" means "Shifted key" only when it is 1, "gesture" "Slide up" only
// when it is 2; anything else, absence included, is the other choice.
constexpr int shiftedKeyType = 1;
constexpr int slideUpGesture = 2;

} // namespace

void loadSettings()
{
    // 1. Nothing when the file is absent, unreadable or not a dictionary; a
    // file that is there but refused is logged, as nobody would know otherwise.
    PreferencesFile::Contents settings = PreferencesFile::read(DeviceRoot::devicePath(settingsFilePath));
    if (settings.state == PreferencesFile::State::Refused)
        NSLog("Corvane: the settings file cannot be read, so the defaults apply: %@", { settings.problem });

    // 2. A value with no integer reading (an array, say) reads as absent.
    int type = settings.dictionary->objectForKey("type").intValue();
    int gesture = settings.dictionary->objectForKey("gesture").intValue();

    // 3.-5.
    gSettingsLoaded = true;
    gTypeMode = type == shiftedKeyType ? 1 : 2;
    gFlickGesture = gesture != slideUpGesture;
}

void settingsChanged(CFNotificationCenterRef, void*, NSString, const void*, NSMutableDictionary*)
{
    loadSettings();
    NSObject* layoutController = activeLayoutController();
    send(layoutController, sel::setKeyplaneName, send(layoutController, sel::keyplaneName));
}
