#include "keyboard/LocaleChange.h"

#include "keyboard/ExtensionState.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSNotificationCenter.h"

namespace {

// Registered under one observer, so that a second start-up replaces the
// registration rather than adding another.
NSObject* localeObserver()
{
    static NSObject observer(NSObject::staticClass());
    return &observer;
}

void currentLocaleChanged()
{
    extension.gCurrencyFilled = false;
    ++extension.gLocaleChanges;
}

} // namespace

void observeLocaleChanges()
{
    NSNotificationCenter* center = NSNotificationCenter::defaultCenter();
    center->removeObserver(localeObserver());
    center->addObserver(
        localeObserver(), [](NSNotification*) { currentLocaleChanged(); },
        NSString(NSCurrentLocaleDidChangeNotification), nullptr);
}

void forgetProcessingUnderEarlierLocale(NSObject* keyplane)
{
    if (nodeProperty(keyplane, entry::processedLocale).intValue() == extension.gLocaleChanges)
        return;
    RefPtr<NSMutableArray> keys(send(keyplane, sel::keys));
    for (std::size_t index = 0; index < countOf(keys.get()); ++index) {
        if (NSMutableDictionary* properties = send(elementAt(keys.get(), index).object(), sel::properties))
            properties->removeObjectForKey(entry::processedKind);
    }
    setNodeProperty(keyplane, entry::processedLocale, Value(extension.gLocaleChanges));
}
