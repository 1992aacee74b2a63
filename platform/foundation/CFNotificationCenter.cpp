#include "platform/foundation/CFNotificationCenter.h"

#include "platform/foundation/DarwinNotifyCenter.h"

// The one centre there is; its address is what callers hold.
struct CFNotificationCenter { };

CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter()
{
    static CFNotificationCenter darwinCenter;
    return &darwinCenter;
}

namespace {

bool isDarwinCenter(CFNotificationCenterRef center)
{
    return center && center == CFNotificationCenterGetDarwinNotifyCenter();
}

} // namespace

void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
    CFNotificationCallback callback, NSString name, const void*, CFNotificationSuspensionBehavior)
{
    if (isDarwinCenter(center))
        DarwinNotifyCenter::shared().addObserver(observer, callback, std::move(name));
}

void CFNotificationCenterRemoveObserver(
    CFNotificationCenterRef center, const void* observer, NSString name, const void*)
{
    if (isDarwinCenter(center))
        DarwinNotifyCenter::shared().removeObserver(observer, std::move(name));
}

void CFNotificationCenterRemoveEveryObserver(CFNotificationCenterRef center, const void* observer)
{
    if (isDarwinCenter(center))
        DarwinNotifyCenter::shared().removeObserver(observer, NSString());
}

void CFNotificationCenterPostNotification(
    CFNotificationCenterRef center, NSString name, const void*, NSMutableDictionary*, bool)
{
    if (isDarwinCenter(center))
        DarwinNotifyCenter::shared().post(std::move(name));
}
