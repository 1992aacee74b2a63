#include "keyboard/ExtensionStartup.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/DisplacedImplementations.h"
#include "keyboard/DisplayControl.h"
#include "keyboard/GestureInput.h"
#include "keyboard/KeyCapRendering.h"
#include "keyboard/KeyplaneAugmentation.h"
#include "keyboard/Settings.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/NSUncaughtExceptionHandler.h"
#include "platform/substrate/Substrate.h"

namespace {

// Replaces one method, keeping the displaced implementation. A class or
// method the platform lacks is passed over (the previous implementation
// stays nothing) so that the others still work. A second start-up in the
// same process leaves an installed replacement alone rather than making it
// displace itself.
template <typename Signature>
void replaceMethod(Class* cls, const Selector<Signature>& selector,
    typename Selector<Signature>::Implementation replacement,
    typename Selector<Signature>::Implementation& previous)
{
    if (cls && cls->lookupImplementation(selector.id()) == reinterpret_cast<Imp>(replacement))
        return;
    MSHookMessageEx(cls, selector, replacement, &previous);
}

void replacePlatformMethods()
{
    Class* keyboardImpl = objc_getClass("UIKeyboardImpl");
    Class* keyplaneView = objc_getClass("UIKBKeyplaneView");
    Class* keyboardCacheMetaclass = object_getClass(objc_getClass("UIKeyboardCache"));
    Class* tree = objc_getClass("UIKBTree");
    Class* keyView = objc_getClass("UIKBKeyView");
    Class* layoutStar = objc_getClass("UIKeyboardLayoutStar");

    replaceMethod(keyboardImpl, sel::setShiftLocked, setShiftLockedReplacement, gDisplaced.setShiftLocked);
    replaceMethod(
        keyplaneView, sel::drawRect, keyplaneViewDrawRectReplacement, gDisplaced.keyplaneViewDrawRect);
    replaceMethod(
        keyboardCacheMetaclass, sel::enabled, keyboardCacheEnabledReplacement, gDisplaced.cacheEnabled);
    replaceMethod(tree, sel::displayString, displayStringReplacement, gDisplaced.displayString);
    replaceMethod(
        tree, sel::variantDisplayString, variantDisplayStringReplacement, gDisplaced.variantDisplayString);
    replaceMethod(
        keyView, sel::didMoveToSuperview, didMoveToSuperviewReplacement, gDisplaced.didMoveToSuperview);
    replaceMethod(keyView, sel::drawRect, keyViewDrawRectReplacement, gDisplaced.keyViewDrawRect);
    replaceMethod(keyView, sel::cacheKey, cacheKeyReplacement, gDisplaced.cacheKey);
    replaceMethod(layoutStar, sel::keyHitTest, keyHitTestReplacement, gDisplaced.keyHitTest);
    replaceMethod(layoutStar, sel::setKeyplaneName, setKeyplaneNameReplacement, gDisplaced.setKeyplaneName);
    replaceMethod(layoutStar, sel::touchUp, touchUpReplacement, gDisplaced.touchUp);
    replaceMethod(layoutStar, sel::touchCancelled, touchCancelledReplacement, gDisplaced.touchCancelled);
    replaceMethod(layoutStar, sel::touchDownWithKeyAtPoint, touchDownWithKeyAtPointReplacement,
        gDisplaced.touchDownWithKeyAtPoint);
    replaceMethod(layoutStar, sel::touchDragged, touchDraggedReplacement, gDisplaced.touchDragged);
}

} // namespace

void initializeExtension()
{
    buildAlternateTables();
    replacePlatformMethods();
    NSSetUncaughtExceptionHandler(logUncaughtException);
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, settingsChanged,
        NSString(settingsChangedNotification), nullptr, 0);
    // The first keyplane the keyboard sets is augmented under these settings.
    loadSettings();
}

void logUncaughtException(const NSException& exception)
{
    NSLog("***** Corvane Uncaught Exception: %@ *****", { NSString(exception.description()) });
    // The count is read again after each line, as the stack is walked.
    for (std::size_t index = 0; index < exception.callStackSymbols().size(); ++index)
        NSLog("***** %@", { NSString(exception.callStackSymbols()[index]) });
}
