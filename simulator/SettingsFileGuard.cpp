#include "simulator/SettingsFileGuard.h"

#include <filesystem>
#include <fstream>
#include <sstream>

SettingsFileGuard::SettingsFileGuard(const std::string& deviceRoot, bool isActive)
    : m_isActive(isActive)
    , m_path(settingsFilePath(deviceRoot))
{
    if (!m_isActive)
        return;
    std::ifstream file(m_path, std::ios::binary);
    if (!file)
        return;
    std::stringstream content;
    content << file.rdbuf();
    m_savedContent = content.str();
}

SettingsFileGuard::~SettingsFileGuard()
{
    if (!m_isActive)
        return;
    if (!m_savedContent) {
        std::error_code ignored;
        std::filesystem::remove(m_path, ignored);
        return;
    }
    std::ofstream file(m_path, std::ios::binary | std::ios::trunc);
    file << *m_savedContent;
}

std::string SettingsFileGuard::settingsFilePath(const std::string& deviceRoot)
{
    return deviceRoot + "/var/mobile/Library/Preferences/com.quillfen.corvane.plist";
}
