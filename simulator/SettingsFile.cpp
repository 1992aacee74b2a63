#include "simulator/SettingsFile.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PreferencesFile.h"

std::string SettingsFile::path()
{
    return DeviceRoot::devicePath(devicePath);
}

bool SettingsFile::store(std::optional<int> type, std::optional<int> gesture, std::string& error)
{
    auto written = PreferencesFile::update(path(), [&](const PreferencesFile::Contents& found) {
        if (type)
            found.dictionary->setObject(Value(*type), "type");
        if (gesture)
            found.dictionary->setObject(Value(*gesture), "gesture");
        return found.dictionary;
    });
    if (!written) {
        error = "cannot write the settings file " + path() + ": " + written.error().message;
        return false;
    }
    CFNotificationCenterPostNotification(
        CFNotificationCenterGetDarwinNotifyCenter(), changeNotification, nullptr, nullptr, true);
    return true;
}

std::optional<int> SettingsFile::read(const std::string& key, std::string& problem)
{
    RefPtr<NSMutableDictionary> settings = NSMutableDictionary::dictionaryWithContentsOfFile(path());
    if (!settings) {
        problem = "there is no readable settings file at " + std::string(devicePath);
        return std::nullopt;
    }
    Value value = settings->objectForKey(key);
    if (value.isNil()) {
        problem = "the settings file has no " + key;
        return std::nullopt;
    }
    return value.intValue();
}
