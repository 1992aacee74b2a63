#pragma once

#include "contracts/CorvaneContract.h"
#include "platform/foundation/CFNotificationCenter.h"

// The settings file and its change notification, which the settings pane
// writes and posts; the two deliverables meet only through these.
inline constexpr const char* settingsFilePath = contract::settingsFilePath;
inline constexpr const char* settingsChangedNotification = contract::settingsChangedNotification;

// Reads the settings file into gSettingsLoaded, gTypeMode and gFlickGesture.
// An absent or unreadable file, and values with no integer reading, count as
// absent: "Alternate key" mode with "Flick up". A file that is there but
// cannot be read is logged.
void loadSettings();

// The choice the extension holds for a row of the shared settings table.
int loadedChoice(const contract::Setting& setting);

// The notification callback: reads the settings again and re-applies the
// keyplane on screen, so that a change of mode reprocesses its keys.
void settingsChanged(CFNotificationCenterRef center, void* observer, NSString name, const void* object,
    NSMutableDictionary* userInfo);
