#pragma once

// The settings file and its change notification, which the settings pane
// writes and posts; the two deliverables meet only through these.
inline constexpr const char* settingsFilePath = "/var/mobile/Library/Preferences/com.quillfen.corvane.plist";
inline constexpr const char* settingsChangedNotification = "com.quillfen.corvane.preferencechanged";

// Reads the settings file into gSettingsLoaded, gTypeMode and gFlickGesture.
// An absent or unreadable file, and values with no integer reading, count as
// absent: "Alternate key" mode with "Flick up".
void loadSettings();
