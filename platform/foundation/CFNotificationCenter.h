#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSString.h"

// The platform's C interface to its notification centres. The one centre
// offered is the Darwin centre: system-wide, names only (object and user
// information are never carried), delivered on each observing process's
// main run loop — the posting process's own observers included.
struct CFNotificationCenter;
using CFNotificationCenterRef = CFNotificationCenter*;

using CFNotificationCallback = void (*)(CFNotificationCenterRef center, void* observer, NSString name,
    const void* object, NSMutableDictionary* userInfo);

// How a suspended application receives notifications; every process here
// runs, so each behaviour delivers.
using CFNotificationSuspensionBehavior = long;
inline constexpr CFNotificationSuspensionBehavior CFNotificationSuspensionBehaviorDrop = 1;
inline constexpr CFNotificationSuspensionBehavior CFNotificationSuspensionBehaviorCoalesce = 2;
inline constexpr CFNotificationSuspensionBehavior CFNotificationSuspensionBehaviorHold = 3;
inline constexpr CFNotificationSuspensionBehavior CFNotificationSuspensionBehaviorDeliverImmediately = 4;

PLATFORM_EXPORT CFNotificationCenterRef CFNotificationCenterGetDarwinNotifyCenter();

// Calls back `callback` with `observer` for every post of `name` in any
// process of the same device root. Adding the same observer and name again
// replaces the callback. A nil name observes nothing (the Darwin centre
// needs a name); `object` is ignored.
PLATFORM_EXPORT void CFNotificationCenterAddObserver(CFNotificationCenterRef center, const void* observer,
    CFNotificationCallback callback, NSString name, const void* object,
    CFNotificationSuspensionBehavior suspensionBehavior);
// Stops the observer's callbacks for `name`, or for every name when it is nil.
PLATFORM_EXPORT void CFNotificationCenterRemoveObserver(
    CFNotificationCenterRef center, const void* observer, NSString name, const void* object);
PLATFORM_EXPORT void CFNotificationCenterRemoveEveryObserver(
    CFNotificationCenterRef center, const void* observer);

// Posts `name` to every observer in this device root; `object` and
// `userInfo` are not carried, and delivery is always on the observers' next
// run-loop turn.
PLATFORM_EXPORT void CFNotificationCenterPostNotification(CFNotificationCenterRef center, NSString name,
    const void* object, NSMutableDictionary* userInfo, bool deliverImmediately);
