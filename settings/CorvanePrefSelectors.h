#pragma once

#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSNotification.h"
#include "platform/foundation/Value.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UILabel.h"

class PrefsHelper;

// The pane's own messages. The button's actions carry a prefix in C++ only,
// because the keyboard's declarations already use the plain names for
// messages of another shape.
namespace sel {
inline constinit Selector<PrefsHelper*()> sharedHelper("sharedHelper");
inline constinit Selector<void()> loadBundles("loadBundles");
inline constinit Selector<NSBundle*()> ownBundle("ownBundle");
inline constinit Selector<NSString(NSString)> ownStringForKey("ownStringForKey:");
inline constinit Selector<RefPtr<UIImage>(NSString)> ownImageNamed("ownImageNamed:");
inline constinit Selector<Value(NSString)> preferenceObjectForKey("preferenceObjectForKey:");
inline constinit Selector<void(Value, NSString)> setPreferenceObjectForKey("setPreferenceObject:forKey:");
inline constinit Selector<void()> savePreferences("savePreferences");

inline constinit Selector<NSObject*(NSString, NSString, NSString, int)>
    initWithKeyFirstOptionSecondOptionChosenOption("initWithKey:firstOption:secondOption:chosenOption:");
inline constinit Selector<CGFloat()> width("width");
inline constinit Selector<void()> settingButtonTouchDown("touchDown");
inline constinit Selector<void()> settingButtonTouchUp("touchUp");
inline constinit Selector<void()> hideOverlay("hideOverlay");

inline constinit Selector<RefPtr<UILabel>(NSString)> createLabel("createLabel:");

inline constinit Selector<void()> showHeartDialog("showHeartDialog");
inline constinit Selector<void()> showMailDialog("showMailDialog");
inline constinit Selector<void(NSNotification*)> keyboardWasShown("keyboardWasShown:");
inline constinit Selector<void(NSNotification*)> keyboardWillBeHidden("keyboardWillBeHidden:");

inline constinit Selector<NSString(NSString, NSString)> removeDashinStringReplaceWith(
    "removeDashinString:replaceWith:");
inline constinit Selector<void(NSString, NSString)> setNameAndHandle("setName:andHandle:");
} // namespace sel
