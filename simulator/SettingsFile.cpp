#include "simulator/SettingsFile.h"

#include "contracts/CorvaneContract.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PreferencesFile.h"

std::string SettingsFile::path()
{
    return DeviceRoot::devicePath(contract::settingsFilePath);
}

ErrorOr<void> SettingsFile::store(const std::map<std::string, int>& values)
{
    auto written = PreferencesFile::update(path(), [&](const PreferencesFile::Contents& found) {
        for (const auto& [key, value] : values)
            found.dictionary->setObject(Value(value), key);
        return found.dictionary;
    });
    if (!written)
        return Error { "cannot write the settings file " + path() + ": " + written.error().message };
    CFNotificationCenterPostNotification(CFNotificationCenterGetDarwinNotifyCenter(),
        contract::settingsChangedNotification, nullptr, nullptr, true);
    return {};
}

ErrorOr<int> SettingsFile::read(const std::string& key)
{
    // As the keyboard reads it.
    PreferencesFile::Contents settings = PreferencesFile::read(path());
    std::string noFile = "there is no readable settings file at " + std::string(contract::settingsFilePath);
    if (settings.state == PreferencesFile::State::Absent)
        return Error { noFile };
    if (settings.state == PreferencesFile::State::Refused)
        return Error { noFile + " (" + settings.problem + ")" };
    Value value = settings.dictionary->objectForKey(key);
    if (value.isNil())
        return Error { "the settings file has no " + key };
    return value.intValue();
}
