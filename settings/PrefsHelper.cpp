#include "settings/PrefsHelper.h"

#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSLog.h"
#include "platform/uikit/NSObjectAllocation.h"
#include "settings/CorvanePrefSelectors.h"

#include <filesystem>
#include <utility>

namespace {

// Both live for the process once made; nothing releases them.
PrefsHelper* sharedStore = nullptr;
NSMutableDictionary* preferences = nullptr;

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
        RefPtr<NSMutableDictionary> read
            = NSMutableDictionary::dictionaryWithContentsOfFile(DeviceRoot::devicePath(settingsFilePath));
        preferences = (read ? read : NSMutableDictionary::dictionary()).leakRef();
    }
    return key.isNil() ? Value() : preferences->objectForKey(key.utf8());
}

void PrefsHelper::setPreferenceObjectForKey(Value value, NSString key)
{
    if (!preferences)
        send(this, sel::preferenceObjectForKey, NSString(""));
    if (!key.isNil())
        preferences->setObject(std::move(value), key.utf8());
}

// A failed write keeps the old file whole; it is logged, and the keyboard
// still hears the notification and re-reads what is there.
void PrefsHelper::savePreferences()
{
    if (preferences) {
        std::string path = DeviceRoot::devicePath(settingsFilePath);
        // A device without the preferences folder yet gets it, so the first
        // save can create the file.
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        ErrorOr<void> written = preferences->writeToFile(path, true);
        if (!written)
            NSLog("Corvane: the settings could not be saved to %@: %@", { path, written.error().message });
    }
    CFNotificationCenterPostNotification(
        CFNotificationCenterGetDarwinNotifyCenter(), changeNotificationName, nullptr, nullptr, true);
}

void PrefsHelper::resetProcessState()
{
    if (sharedStore)
        std::exchange(sharedStore, nullptr)->deref();
    if (preferences)
        std::exchange(preferences, nullptr)->deref();
}
