#include "keyboard/Settings.h"

#include "keyboard/ExtensionState.h"
#include "keyboard/KeyboardModel.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/PreferencesFile.h"

namespace {

// "type" means "Shifted key" only when it holds that choice's value, and
// "gesture" "Slide up" likewise; anything else, absence included, is the
// other choice.
TypeMode typeModeFromFile(int stored)
{
    return stored == storedValue(TypeMode::ShiftedKey) ? TypeMode::ShiftedKey : TypeMode::AlternateKey;
}

Gesture gestureFromFile(int stored)
{
    return stored == storedValue(Gesture::SlideUp) ? Gesture::SlideUp : Gesture::FlickUp;
}

} // namespace

void loadSettings()
{
    // Nothing when the file is absent, unreadable or not a dictionary; a
    // file that is there but refused is logged, as nobody would know otherwise.
    PreferencesFile::Contents settings = PreferencesFile::read(DeviceRoot::devicePath(settingsFilePath));
    if (settings.state == PreferencesFile::State::Refused)
        NSLog("Corvane: the settings file cannot be read, so the defaults apply: %@", { settings.problem });

    // A value with no integer reading (an array, say) reads as absent.
    int type = settings.dictionary->objectForKey(contract::typeKey).intValue();
    int gesture = settings.dictionary->objectForKey(contract::gestureKey).intValue();

    extension.gSettingsLoaded = true;
    extension.gTypeMode = typeModeFromFile(type);
    extension.gFlickGesture = gestureFromFile(gesture);
}

void settingsChanged(CFNotificationCenterRef, void*, NSString, const void*, NSMutableDictionary*)
{
    loadSettings();
    NSObject* layoutController = activeLayoutController();
    send(layoutController, sel::setKeyplaneName, send(layoutController, sel::keyplaneName));
}
