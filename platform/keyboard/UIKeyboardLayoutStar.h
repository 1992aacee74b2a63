#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/KeyboardTimer.h"
#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKBKeyplaneView.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKBVariantsView.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UITouch.h"

#include <optional>

class NSSet;

// The layout controller: it shows one keyplane of its keyboard tree, finds
// the key under a touch, presses it (with its pop-up in the keyboard's
// window), and on touch up types the key's string or performs its action.
// It is the view under the keyboard's fingers: the window gives it their
// touches, and it turns them into the hit test and the four touch messages.
class PLATFORM_EXPORT UIKeyboardLayoutStar final : public UIView {
public:
    static Class* staticClass();

    // A key that types a string of its own (display type string or dynamic
    // string); every other key is a function key. Nothing is no key.
    static bool isCharacterKey(NSObject* key);

    UIKeyboardLayoutStar(CGRect frame, RefPtr<UIKBTree> keyboard, int keyboardType);

    static constexpr double longPressDelay = 0.75;
    static constexpr double deleteRepeatInterval = 0.1;

    UIKBTree* keyboardTree() const { return m_keyboard.get(); }
    UIKBKeyplaneView* keyplaneView() const { return m_keyplaneView.get(); }
    int keyboardType() const { return m_keyboardType; }
    // The key held down, the pop-up showing it and the variants balloon, if any.
    NSObject* pressedKey() const { return m_pressedKey.get(); }
    UIKBKeyView* popupView() const { return m_popupView.get(); }
    UIKBVariantsView* variantsView() const { return m_variantsView.get(); }
    void setKeyboardImpl(UIKeyboardImpl* impl);

    // The platform's own implementations of the layout messages.
    NSObject* keyplaneNamed(NSString name);
    NSObject* keyplane() { return m_keyplane.get(); }
    NSString keyplaneName();
    void setKeyplaneName(NSString name);
    void setCurrencyKeysForCurrentLocaleOnKeyplane(NSObject* keyplane);
    NSObject* keyHitTest(CGPoint point);
    void touchDownWithKeyAtPoint(NSObject* key, CGPoint point);
    void touchDragged(NSObject* touch);
    void touchUp(NSObject* touch);
    void touchCancelled(NSObject* touch);
    void longPressAction();

    // The touches of the fingers on the keyboard, as the window delivers them.
    void touchesBegan(NSSet* touches, NSObject* event);
    void touchesMoved(NSSet* touches, NSObject* event);
    void touchesEnded(NSSet* touches, NSObject* event);
    void touchesCancelled(NSSet* touches, NSObject* event);
    // The keyboard leaves the screen: the pressed key's touch is cancelled
    // through touchCancelled: (which is sent even when no key is pressed), and
    // every other finger is forgotten.
    void cancelTouches();
    // The touch whose key is pressed, the one finger passed on; nothing when none.
    UITouch* activeTouch() const { return m_activeTouch.get(); }
    // The finger holding shift as a modifier, if any.
    UITouch* shiftTouch() const { return m_shiftTouch.get(); }

private:
    // Where the keyboard is: the keyplane shown and the shift.
    struct KeyboardPlace {
        NSString keyplaneName;
        UIKeyboardImpl::ShiftState shift;
    };

    bool isKeyplaneKey(NSObject* key);
    bool isLettersKeyplane();
    bool bringsLettersBackAfter(const NSString& typed);
    NSString lettersKeyplaneName();
    KeyboardPlace currentPlace();
    void goBackTo(const KeyboardPlace& place);
    void pressKey(NSObject* key);
    void showPopup(NSObject* key);
    void removePopup();
    void showVariants(NSObject* key, NSMutableArray* variants);
    void removeVariants();
    void endPress();
    void performKeyAction(NSObject* key);
    NSObject* textInput();
    void typeString(const NSString& string);
    void deleteBackwardRepeatedly();
    UIView* keyboardWindow();

    void beginTouch(UITouch* touch);
    void endTouch(UITouch* touch, const Selector<void(NSObject*)>& message);
    bool isLettersShiftKey(NSObject* key);
    void holdShift();
    void endActiveTouch(const Selector<void(NSObject*)>& message);
    void releaseShift();

    RefPtr<UIKBTree> m_keyboard;
    RefPtr<UIKBTree> m_keyplane;
    int m_keyboardType;
    RefPtr<UIKBKeyplaneView> m_keyplaneView;
    WeakPtr<UIKeyboardImpl> m_impl;
    RefPtr<NSObject> m_pressedKey;
    RefPtr<UIKBKeyView> m_popupView;
    RefPtr<UIKBVariantsView> m_variantsView;
    KeyboardTimer m_repeatTimer;
    bool m_deleteRepeated { false };
    // The window owns touches; the keyboard only follows them.
    WeakPtr<UITouch> m_activeTouch;
    WeakPtr<UITouch> m_shiftTouch;
    // The shift finger lifted while a key was down: shift ends with that key.
    bool m_shiftLifted { false };
    // Where the keyboard was before the active touch went down on a keyplane
    // key, which acted then; nothing for any other touch.
    std::optional<KeyboardPlace> m_placeBeforeKeyplaneKey;
};
