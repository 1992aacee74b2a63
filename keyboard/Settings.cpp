#include "keyboard/Settings.h"

#include "keyboard/ExtensionState.h"
#include "keyboard/KeyboardModel.h"
#include "platform/foundation/DeviceRoot.h"

namespace {

// "type" means "Shifted key" only when it is 1, "gesture" "Slide up" only
// when it is 2; anything else, absence included, is the other choice.
constexpr int shiftedKeyType = 1;
constexpr int slideUpGesture = 2;

} // namespace

void loadSettings()
{
    // 1. Nothing when the file is absent, unreadable or not a dictionary.
    RefPtr<NSMutableDictionary> settings
        = NSMutableDictionary::dictionaryWithContentsOfFile(DeviceRoot::devicePath(settingsFilePath));

    // 2. A value with no integer reading (an array, say) reads as absent.
    int type = settings ? settings->objectForKey("type").intValue() : 0;
    int gesture = settings ? settings->objectForKey("gesture").intValue() : 0;

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
