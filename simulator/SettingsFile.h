#pragma once

#include <optional>
#include <string>

// The extension's settings file in the booted device, written the way the
// settings pane writes it: the keys given over what the file holds (under
// the update's lock, a file nobody can read kept beside), atomically, then
// the change notification on the Darwin centre.
class SettingsFile {
public:
    static std::string path();
    // False, with the reason, when the file cannot be written.
    static bool store(std::optional<int> type, std::optional<int> gesture, std::string& error);
    // The integer stored under the key; nothing when the file or the key is
    // missing, with what was found in problem.
    static std::optional<int> read(const std::string& key, std::string& problem);

    static constexpr const char* devicePath = "/var/mobile/Library/Preferences/com.quillfen.corvane.plist";
    static constexpr const char* changeNotification = "com.quillfen.corvane.preferencechanged";
};
