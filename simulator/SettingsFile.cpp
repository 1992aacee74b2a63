#include "simulator/SettingsFile.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyList.h"

std::string SettingsFile::path()
{
    return DeviceRoot::devicePath(devicePath);
}

bool SettingsFile::store(std::optional<int> type, std::optional<int> gesture, std::string& error)
{
    RefPtr<NSMutableDictionary> settings = NSMutableDictionary::dictionaryWithContentsOfFile(path());
    if (!settings)
        settings = NSMutableDictionary::dictionary();
    if (type)
        settings->setObject(Value(*type), "type");
    if (gesture)
        settings->setObject(Value(*gesture), "gesture");
    auto written = PropertyList::writeFile(*settings, path(), PropertyList::Format::XML, true);
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
