#pragma once

#include "contracts/CorvaneContract.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/Value.h"
#include "platform/uikit/UIImage.h"

// The pane's single way to its resource bundle and to the user's settings.
// The settings live in one process-wide dictionary, read from the settings
// file on first use. Each save writes the keys set since the last one over
// what the file holds then, and the keyboard extension hears about it
// through the change notification. A save that fails forgets the keys set
// since the last one, so that nothing shows a change that was not kept.
class PrefsHelper final : public NSObject {
public:
    static constexpr const char* bundlePath = "/Library/PreferenceBundles/CorvanePref.bundle";
    static constexpr const char* settingsFilePath = contract::settingsFilePath;
    static constexpr const char* changeNotificationName = contract::settingsChangedNotification;

    static Class* staticClass();
    // The shared store, made with init on the first call and kept for the process.
    static PrefsHelper* sharedHelper();

    PrefsHelper();

    NSObject* init();
    void loadBundles();
    NSBundle* ownBundle();
    NSString ownStringForKey(NSString key);
    RefPtr<UIImage> ownImageNamed(NSString name);
    Value preferenceObjectForKey(NSString key);
    void setPreferenceObjectForKey(Value value, NSString key);
    void savePreferences();

    // Forgets the shared store and the dictionary, as a fresh Settings
    // process would start; for tests that play several processes in one.
    static void resetProcessState();

private:
    void writePreferences();

    RefPtr<NSBundle> m_ownBundle;
};
