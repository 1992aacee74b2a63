#include "keyboard/LocaleChange.h"

#include "keyboard/ExtensionState.h"
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
    gCurrencyFilled = false;
    ++gLocaleChanges;
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
