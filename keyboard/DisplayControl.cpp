#include "keyboard/DisplayControl.h"

#include "keyboard/DisplacedImplementations.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/GestureTracking.h"
#include "keyboard/KeyEligibility.h"
#include "keyboard/KeyboardModel.h"

bool keyboardCacheEnabledReplacement(NSObject*)
{
    return false;
}

NSString displayStringReplacement(NSObject* key)
{
    if (extension.gAugmentationActive && isEligibleKey(key))
        return {};
    return callImplementation(gDisplaced<displayStringReplacement>, key);
}

NSString variantDisplayStringReplacement(NSObject* key)
{
    if (extension.gAugmentationActive && isEligibleKey(key))
        return {};
    return callImplementation(gDisplaced<variantDisplayStringReplacement>, key);
}

NSString cacheKeyReplacement(NSObject* keyView)
{
    NSString platformCacheKey = callImplementation(gDisplaced<cacheKeyReplacement>, keyView);
    // The pop-up view shows a pressed key; its images are the platform's affair.
    if (!extension.gAugmentationActive || send(keyView, sel::state) == UIKBKeyViewStatePopup)
        return platformCacheKey;
    NSObject* key = send(keyView, sel::key);
    if (!isEligibleKey(key))
        return platformCacheKey;
    return NSString::stringWithFormat("%@_%@", { platformCacheKey, send(key, sel::representedString) });
}

void didMoveToSuperviewReplacement(NSObject* keyView)
{
    callImplementation(gDisplaced<didMoveToSuperviewReplacement>, keyView);
    if (send(keyView, sel::superview))
        return;
    extension.gesture.showOwnString(send(keyView, sel::key), keyView);
}

void setShiftLockedReplacement(NSObject* keyboard, bool shiftLocked)
{
    callImplementation(gDisplaced<setShiftLockedReplacement>, keyboard, shiftLocked);
    if (!extension.gAugmentationActive)
        return;
    redrawKeyplaneView(send(keyboard, sel::layout));
}
