#pragma once

#include <optional>
#include <string>

// Keeps the settings file of a device root as it was: what it held when the
// guard was made is written back when the guard goes (or the file removed,
// when there was none). For commands that change a setting only for a while.
class SettingsFileGuard {
public:
    SettingsFileGuard(const std::string& deviceRoot, bool isActive);
    ~SettingsFileGuard();
    SettingsFileGuard(const SettingsFileGuard&) = delete;
    SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;

    // Where the settings file lives in a device root.
    static std::string settingsFilePath(const std::string& deviceRoot);

private:
    bool m_isActive;
    std::string m_path;
    std::optional<std::string> m_savedContent;
};
