#include "settings/PrefsHelper.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileIO.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/PreferencesFile.h"
#include "platform/uikit/NSObjectAllocation.h"
#include "settings/CorvanePrefSelectors.h"

#include <filesystem>
#include <map>
#include <string>
#include <utility>

namespace {

// Both live for the process once made; nothing releases them.
PrefsHelper* sharedStore = nullptr;
NSMutableDictionary* preferences = nullptr;

// The keys set since the last save, each with the value it had before: a
// save writes only these over what the file holds then, so it never undoes
// another process's change of another key, and a save that fails puts the
// old values back, so the pane never shows a change that was not kept.
std::map<std::string, Value>& keysToSave()
{
    static std::map<std::string, Value> valuesBeforeChange;
    return valuesBeforeChange;
}

void forgetUnsavedChanges()
{
    for (const auto& [key, before] : keysToSave())
        preferences->setObject(before, key);
    keysToSave().clear();
}

// What the file holds, or, when it cannot be read, what this process knew,
// with the keys set here since the last save on top.
RefPtr<NSMutableDictionary> withChangedKeys(const PreferencesFile::Contents& found)
{
    RefPtr<NSMutableDictionary> saved
        = found.state == PreferencesFile::State::Refused ? preferences->mutableCopy() : found.dictionary;
    for (const auto& [key, before] : keysToSave())
        saved->setObject(preferences->objectForKey(key), key);
    return saved;
}

void replacePreferences(RefPtr<NSMutableDictionary> replacement)
{
    if (preferences)
        preferences->deref();
    preferences = replacement.leakRef();
}

} // namespace

Class* PrefsHelper::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("PrefsHelper", NSObject::staticClass());
        addMethod(
            created->metaclass(), sel::sharedHelper, [](NSObject*) { return PrefsHelper::sharedHelper(); });
        addMethod<&PrefsHelper::init>(created, sel::init);
        addMethod<&PrefsHelper::loadBundles>(created, sel::loadBundles);
        addMethod<&PrefsHelper::ownBundle>(created, sel::ownBundle);
        addMethod<&PrefsHelper::ownStringForKey>(created, sel::ownStringForKey);
        addMethod<&PrefsHelper::ownImageNamed>(created, sel::ownImageNamed);
        addMethod<&PrefsHelper::preferenceObjectForKey>(created, sel::preferenceObjectForKey);
        addMethod<&PrefsHelper::setPreferenceObjectForKey>(created, sel::setPreferenceObjectForKey);
        addMethod<&PrefsHelper::savePreferences>(created, sel::savePreferences);
        return created;
    }();
    return cls;
}

PrefsHelper* PrefsHelper::sharedHelper()
{
    if (!sharedStore) {
        auto created = makeRef<PrefsHelper>();
        send(created.get(), sel::init);
        sharedStore = created.leakRef();
    }
    return sharedStore;
}

PrefsHelper::PrefsHelper()
    : NSObject(staticClass())
{
}

NSObject* PrefsHelper::init()
{
    send(this, sel::loadBundles);
    return this;
}

void PrefsHelper::loadBundles()
{
    if (!m_ownBundle)
        m_ownBundle = NSBundle::bundleWithPath(DeviceRoot::devicePath(bundlePath));
}

NSBundle* PrefsHelper::ownBundle()
{
    send(this, sel::loadBundles);
    return m_ownBundle.get();
}

NSString PrefsHelper::ownStringForKey(NSString key)
{
    return send(m_ownBundle.get(), sel::localizedStringForKeyValueTable, key, NSString(), NSString());
}

RefPtr<UIImage> PrefsHelper::ownImageNamed(NSString name)
{
    return UIImage::imageNamedInBundle(name, m_ownBundle.get());
}

Value PrefsHelper::preferenceObjectForKey(NSString key)
{
    if (!preferences) {
        PreferencesFile::Contents read = PreferencesFile::read(DeviceRoot::devicePath(settingsFilePath));
        if (read.state == PreferencesFile::State::Refused)
            NSLog("Corvane: the settings file cannot be read, so the pane starts without its settings: %@",
                { read.problem });
        replacePreferences(read.dictionary);
    }
    return key.isNil() ? Value() : preferences->objectForKey(key.utf8());
}

void PrefsHelper::setPreferenceObjectForKey(Value value, NSString key)
{
    if (!preferences)
        send(this, sel::preferenceObjectForKey, NSString(""));
    if (key.isNil())
        return;
    keysToSave().try_emplace(key.utf8(), preferences->objectForKey(key.utf8()));
    preferences->setObject(std::move(value), key.utf8());
}

// The file is read again under the save's lock and only the keys set here
// change, so another process's change since is kept; the dictionary then
// holds what was saved. A file that could not be read is kept beside the new
// one. A save that fails (the folder cannot be written, the lock is held too
// long, the file would be one the keyboard refuses) keeps the old file whole
// and is logged; the keys set since the last save go back to what they were,
// so the buttons that read them back show what the file holds. The keyboard
// still hears the notification and re-reads what is there.
void PrefsHelper::savePreferences()
{
    if (preferences)
        writePreferences();
    CFNotificationCenterPostNotification(
        CFNotificationCenterGetDarwinNotifyCenter(), changeNotificationName, nullptr, nullptr, true);
}

void PrefsHelper::writePreferences()
{
    std::string path = DeviceRoot::devicePath(settingsFilePath);
    // A device without the preferences folder yet gets it, so the first
    // save can create the file; if it cannot be made, the save says why.
    (void)FileIO::makeFolders(std::filesystem::path(path).parent_path().string(), FileIO::sharedFolderMode);
    auto saved = PreferencesFile::update(path, withChangedKeys);
    if (!saved) {
        NSLog("Corvane: the settings could not be saved to %@: %@", { path, saved.error().message });
        forgetUnsavedChanges();
        return;
    }
    if (!saved.value().keptAs.empty())
        NSLog("Corvane: the settings file could not be read (%@); it is kept as %@",
            { saved.value().found.problem, saved.value().keptAs });
    replacePreferences(saved.value().dictionary);
    keysToSave().clear();
}

void PrefsHelper::resetProcessState()
{
    if (sharedStore)
        std::exchange(sharedStore, nullptr)->deref();
    if (preferences)
        std::exchange(preferences, nullptr)->deref();
    keysToSave().clear();
}
