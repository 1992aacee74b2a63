#pragma once

#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"
#include "platform/uikit/UIView.h"

// The messages of the platform's keyboard classes. Every call to these, the
// platform's own included, goes through the receiver's method table, so a
// replacement changes what the platform does.
namespace sel {

// UIKBTree: a node of the layout tree (keyboard, keyplane, key set, key).
inline constinit Selector<NSMutableArray*()> keys("keys");
inline constinit Selector<NSMutableArray*()> subtrees("subtrees");
inline constinit Selector<NSObject*()> keySet("keySet");
inline constinit Selector<NSString()> name("name");
inline constinit Selector<NSString()> unhashedName("unhashedName");
inline constinit Selector<NSString()> componentName("componentName");
inline constinit Selector<NSMutableDictionary*()> properties("properties");
inline constinit Selector<int()> displayType("displayType");
inline constinit Selector<int()> displayTypeHint("displayTypeHint");
inline constinit Selector<NSString()> representedString("representedString");
inline constinit Selector<void(NSString)> setRepresentedString("setRepresentedString:");
inline constinit Selector<NSString()> displayString("displayString");
inline constinit Selector<NSString()> variantDisplayString("variantDisplayString");
inline constinit Selector<NSString()> shiftAlternateKeyplaneName("shiftAlternateKeyplaneName");
inline constinit Selector<RefPtr<NSMutableArray>(NSString)> keysByKeyName("keysByKeyName:");
inline constinit Selector<CGRect()> paddedFrame("paddedFrame");
inline constinit Selector<NSMutableDictionary*()> cache("cache");

// UIKBKeyView: the view of one key (the pop-up in state 1, a key cap in state 4).
inline constinit Selector<NSObject*()> key("key");
inline constinit Selector<int()> state("state");
inline constinit Selector<NSString()> cacheKey("cacheKey");

// UIKBKeyplaneView.
inline constinit Selector<NSObject*()> keyplane("keyplane");

// UIKeyboardLayoutStar: the layout controller.
inline constinit Selector<NSObject*(NSString)> keyplaneNamed("keyplaneNamed:");
inline constinit Selector<NSString()> keyplaneName("keyplaneName");
inline constinit Selector<void(NSString)> setKeyplaneName("setKeyplaneName:");
inline constinit Selector<void(NSObject*)> setCurrencyKeysForCurrentLocaleOnKeyplane(
    "setCurrencyKeysForCurrentLocaleOnKeyplane:");
inline constinit Selector<NSObject*(CGPoint)> keyHitTest("keyHitTest:");
inline constinit Selector<void(NSObject*, CGPoint)> touchDownWithKeyAtPoint("touchDownWithKey:atPoint:");
inline constinit Selector<void(NSObject*)> touchDragged("touchDragged:");
inline constinit Selector<void(NSObject*)> touchUp("touchUp:");
inline constinit Selector<void(NSObject*)> touchCancelled("touchCancelled:");

// UITouch.
inline constinit Selector<CGPoint(NSObject*)> locationInView("locationInView:");

// UIKeyboardImpl.
inline constinit Selector<NSObject*()> activeInstance("activeInstance");
inline constinit Selector<NSObject*()> layout("_layout");
inline constinit Selector<bool()> isShifted("isShifted");
inline constinit Selector<bool()> isShiftLocked("isShiftLocked");
inline constinit Selector<void(bool)> setShiftLocked("setShiftLocked:");
inline constinit Selector<void(double)> touchLongPressTimerWithDelay("touchLongPressTimerWithDelay:");
inline constinit Selector<void()> clearLongPressTimer("clearLongPressTimer");
inline constinit Selector<CGFloat()> currentLandscapeWidth("currentLandscapeWidth");
inline constinit Selector<CGFloat()> currentLandscapeHeight("currentLandscapeHeight");

// UIKeyboard.
inline constinit Selector<NSObject*()> activeKeyboard("activeKeyboard");

// UIKeyboardCache.
inline constinit Selector<bool()> enabled("enabled");

// The platform's own keyboard messages, which the extension leaves alone.
// UIKeyboardImpl: shifts or unshifts the letters (shift lock is cleared with it).
inline constinit Selector<void(bool)> setShift("setShift:");
// UIKeyboardLayoutStar: what a key held past the long-press delay does.
inline constinit Selector<void()> longPressAction("longPressAction");

} // namespace sel
