#pragma once

// What the two deliverables and the simulator must agree on, and nothing else:
// the keyboard extension and the settings pane meet only through the settings
// file and its change notification, and the simulator reads what the
// extension writes into the keys. Each name is written here once.
namespace contract {

// The settings file, as a path inside the device root, and the notification
// posted after every save.
inline constexpr const char* settingsFilePath = "/var/mobile/Library/Preferences/com.quillfen.corvane.plist";
inline constexpr const char* settingsChangedNotification = "com.quillfen.corvane.preferencechanged";

// The file's integer keys. Each has one value that picks its second choice;
// any other value, absence included, reads as the first: "type" is
// "Shifted key" only when it is 1, "gesture" is "Slide up" only when it is 2.
inline constexpr const char* typeKey = "type";
inline constexpr const char* gestureKey = "gesture";
inline constexpr int shiftedKeyType = 1;
inline constexpr int alternateKeyType = 2;
inline constexpr int flickUpGesture = 1;
inline constexpr int slideUpGesture = 2;

// Entries the extension writes into each augmented key's property dictionary.
inline constexpr const char* ownStringEntry = "KBrepresentedStringNoAlt";
inline constexpr const char* alternateEntry = "KBrepresentedStringAlt";
inline constexpr const char* shiftLockedAlternateEntry = "KBrepresentedStringAltShiftLocked";

// The deliverables' file names, in the folders where the platform looks for
// injected libraries, preference bundles and their entries.
inline constexpr const char* extensionLibraryName = "Corvane.dylib";
inline constexpr const char* paneBundleName = "CorvanePref.bundle";
inline constexpr const char* paneEntryName = "CorvanePref.plist";

} // namespace contract
