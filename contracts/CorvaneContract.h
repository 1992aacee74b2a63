#pragma once

#include <array>
#include <string_view>

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

// A setting as the file stores it and the pane offers it. The pane's button
// stores its first option as 1 and its second as 2; on reading, only the
// exact choice's value picks it, and every other value, absence included,
// picks the other option, so that a file written by anyone still reads as one
// of the two.
struct Setting {
    static constexpr int firstOption = 1;
    static constexpr int secondOption = 2;

    const char* key;
    // The words the pane shows for the first and the second option.
    std::array<const char*, 2> optionWords;
    int exactChoice;

    constexpr int defaultChoice() const { return exactChoice == firstOption ? secondOption : firstOption; }
    // The choice a stored integer stands for; every reader calls this.
    constexpr int readChoice(int stored) const
    {
        return stored == exactChoice ? exactChoice : defaultChoice();
    }
    constexpr const char* wordFor(int choice) const
    {
        return optionWords[readChoice(choice) == secondOption ? 1 : 0];
    }
};

// Every setting, in the order scripts and listings write them. A new setting
// is a row here; the pane, the keyboard, the simulator, the fuzzer and the
// bench go through the rows.
inline constexpr std::array<Setting, 2> settings { {
    { typeKey, { "Shifted key", "Alternate key" }, shiftedKeyType },
    { gestureKey, { "Flick up", "Slide up" }, slideUpGesture },
} };
inline constexpr const Setting& typeSetting = settings[0];
inline constexpr const Setting& gestureSetting = settings[1];

// The row of a key, or nothing for a key that is not a setting.
constexpr const Setting* findSetting(std::string_view key)
{
    for (const Setting& setting : settings) {
        if (key == setting.key)
            return &setting;
    }
    return nullptr;
}

static_assert(shiftedKeyType == Setting::firstOption && alternateKeyType == Setting::secondOption);
static_assert(flickUpGesture == Setting::firstOption && slideUpGesture == Setting::secondOption);

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
