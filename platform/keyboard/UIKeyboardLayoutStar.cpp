#include "platform/keyboard/UIKeyboardLayoutStar.h"

#include "platform/foundation/NSLocale.h"
#include "platform/keyboard/CurrencySigns.h"
#include "platform/keyboard/KeyboardLayoutBuilder.h"
#include "platform/keyboard/UIKeyboard.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/uikit/UITextInput.h"

#include <algorithm>
#include <string>
#include <utility>

Class* UIKeyboardLayoutStar::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKeyboardLayoutStar", UIView::staticClass());
        addMethod<&UIKeyboardLayoutStar::keyplaneNamed>(created, sel::keyplaneNamed);
        addMethod<&UIKeyboardLayoutStar::keyplane>(created, sel::keyplane);
        addMethod<&UIKeyboardLayoutStar::keyplaneName>(created, sel::keyplaneName);
        addMethod<&UIKeyboardLayoutStar::setKeyplaneName>(created, sel::setKeyplaneName);
        addMethod<&UIKeyboardLayoutStar::setCurrencyKeysForCurrentLocaleOnKeyplane>(
            created, sel::setCurrencyKeysForCurrentLocaleOnKeyplane);
        addMethod<&UIKeyboardLayoutStar::keyHitTest>(created, sel::keyHitTest);
        addMethod<&UIKeyboardLayoutStar::touchDownWithKeyAtPoint>(created, sel::touchDownWithKeyAtPoint);
        addMethod<&UIKeyboardLayoutStar::touchDragged>(created, sel::touchDragged);
        addMethod<&UIKeyboardLayoutStar::touchUp>(created, sel::touchUp);
        addMethod<&UIKeyboardLayoutStar::touchCancelled>(created, sel::touchCancelled);
        addMethod<&UIKeyboardLayoutStar::longPressAction>(created, sel::longPressAction);
        addMethod<&UIKeyboardLayoutStar::touchesBegan>(created, sel::touchesBegan);
        addMethod<&UIKeyboardLayoutStar::touchesMoved>(created, sel::touchesMoved);
        addMethod<&UIKeyboardLayoutStar::touchesEnded>(created, sel::touchesEnded);
        addMethod<&UIKeyboardLayoutStar::touchesCancelled>(created, sel::touchesCancelled);
        created->addIvar("_keyboardType", [](NSObject* object) -> void* {
            auto type
                = static_cast<std::intptr_t>(static_cast<UIKeyboardLayoutStar*>(object)->m_keyboardType);
            return reinterpret_cast<void*>(type);
        });
        created->addIvar("_keyplaneView", [](NSObject* object) -> void* {
            return static_cast<UIKeyboardLayoutStar*>(object)->m_keyplaneView.get();
        });
        return created;
    }();
    return cls;
}

UIKeyboardLayoutStar::UIKeyboardLayoutStar(CGRect frame, RefPtr<UIKBTree> keyboard, int keyboardType)
    : UIView(frame, staticClass())
    , m_keyboard(std::move(keyboard))
    , m_keyboardType(keyboardType)
    , m_keyplaneView(makeRef<UIKBKeyplaneView>(CGRectMake(0, 0, frame.width(), frame.height())))
{
    addSubview(m_keyplaneView);
}

void UIKeyboardLayoutStar::setKeyboardImpl(UIKeyboardImpl* impl)
{
    m_impl = impl;
}

NSObject* UIKeyboardLayoutStar::keyplaneNamed(NSString name)
{
    NSMutableArray* keyplanes = send(m_keyboard.get(), sel::subtrees);
    if (!keyplanes || name.isNil())
        return nullptr;
    NSString wanted = name.lowercaseString();
    for (const Value& keyplane : *keyplanes) {
        if (send(keyplane.object(), sel::name).lowercaseString().isEqualToString(wanted))
            return keyplane.object();
    }
    return nullptr;
}

NSString UIKeyboardLayoutStar::keyplaneName()
{
    return send(m_keyplane.get(), sel::name);
}

void UIKeyboardLayoutStar::setKeyplaneName(NSString name)
{
    auto* keyplane = runtimeCast<UIKBTree>(send(this, sel::keyplaneNamed, name));
    if (!keyplane)
        return;
    m_keyplane = RefPtr(keyplane);
    send(this, sel::setCurrencyKeysForCurrentLocaleOnKeyplane, keyplane);
    m_keyplaneView->setKeyplane(m_keyplane);
    send(m_keyplaneView.get(), sel::setNeedsDisplay);
}

void UIKeyboardLayoutStar::setCurrencyKeysForCurrentLocaleOnKeyplane(NSObject* keyplane)
{
    CurrencySigns signs = CurrencySigns::forLocale(NSLocale::currentLocaleIdentifier());
    if (!signs.available())
        return;
    auto setSign = [keyplane](const char* keyName, const NSString& sign) {
        RefPtr<NSMutableArray> keys = send(keyplane, sel::keysByKeyName, NSString(keyName));
        if (!keys)
            return;
        for (const Value& key : *keys) {
            NSMutableDictionary* properties = send(key.object(), sel::properties);
            if (!properties)
                continue;
            properties->setObject(sign, UIKBProperty::displayString);
            properties->setObject(sign, UIKBProperty::representedString);
        }
    };
    setSign("Primary-Currency-Sign", signs.primary);
    for (std::size_t index = 0; index < signs.alternates.size(); ++index)
        setSign(("Alternate-Currency-Sign-" + std::to_string(index + 1)).c_str(), signs.alternates[index]);
}

NSObject* UIKeyboardLayoutStar::keyHitTest(CGPoint point)
{
    NSMutableArray* keys = send(m_keyplane.get(), sel::keys);
    if (!keys)
        return nullptr;
    for (const Value& key : *keys) {
        if (send(key.object(), sel::frame).contains(point))
            return key.object();
    }
    return nullptr;
}

// The keyboard's own shortcuts, as that generation had them:
// - Keyplane keys ("123", "ABC", "#+=" and the letters' shift) act as their
//   finger goes down, so that the keyplane they bring up is under the finger.
// - A finger that went down on a keyplane key and lifts on a key that types
//   (or deletes) performs that key, and the keyboard goes back to the keyplane
//   and shift it had before the finger went down: one touch for a digit or a
//   capital. Lifted on a keyplane key, or off the keys, it does nothing more.
// - A space or an apostrophe typed on the numbers or symbols keyplane brings
//   the letters back (the capitals while shifted), except on a keyboard that
//   opens on the numbers, whose field asks for them.
// - A touch that goes down elsewhere acts when it lifts, on the key it lifts
//   on, a keyplane key included.
// Held while another finger goes down, shift is a modifier instead (the
// rollover rules, above touchesBegan).
void UIKeyboardLayoutStar::touchDownWithKeyAtPoint(NSObject* key, CGPoint)
{
    endPress();
    m_placeBeforeKeyplaneKey.reset();
    if (isKeyplaneKey(key)) {
        m_placeBeforeKeyplaneKey = currentPlace();
        performKeyAction(key);
    }
    pressKey(key);
}

void UIKeyboardLayoutStar::touchDragged(NSObject* touch)
{
    CGPoint point = send(touch, sel::locationInView, this);
    if (m_variantsView) {
        m_variantsView->selectAtPoint(convertPointToView(point, m_variantsView.get()));
        return;
    }
    NSObject* key = send(this, sel::keyHitTest, point);
    if (key == m_pressedKey.get())
        return;
    // The old key's pop-up leaves the window before the new key's comes.
    removePopup();
    m_repeatTimer.cancel();
    pressKey(key);
    if (!key)
        send(m_impl, sel::clearLongPressTimer);
}

void UIKeyboardLayoutStar::touchUp(NSObject*)
{
    send(m_impl, sel::clearLongPressTimer);
    m_repeatTimer.cancel();
    RefPtr<NSObject> key = std::move(m_pressedKey);
    std::optional<KeyboardPlace> slidFrom = std::exchange(m_placeBeforeKeyplaneKey, std::nullopt);
    bool slidOntoAKey = slidFrom && key && !isKeyplaneKey(key.get());
    NSString typed;
    if (m_variantsView) {
        typed = m_variantsView->selectedVariant();
        removeVariants();
        typeString(typed);
    } else if (key && (!slidFrom || slidOntoAKey)) {
        int type = send(key.get(), sel::displayType);
        if (isCharacterKey(key.get()) || type == UIKBKeyDisplayTypeSpace || type == UIKBKeyDisplayTypeReturn)
            typed = send(key.get(), sel::representedString);
        performKeyAction(key.get());
    }
    removePopup();
    // One typed character ends a single shift; a shift finger held down keeps it.
    if (key && isCharacterKey(key.get()) && isLettersKeyplane() && send(m_impl, sel::isShifted)
        && !send(m_impl, sel::isShiftLocked) && !m_shiftTouch)
        send(m_impl, sel::setShift, false);
    if (slidOntoAKey)
        goBackTo(*slidFrom);
    else if (!slidFrom && bringsLettersBackAfter(typed))
        send(this, sel::setKeyplaneName, lettersKeyplaneName());
    // A double tap is two taps on shift with no other key between them, however quick.
    if (UIKeyboardImpl* impl = m_impl.get(); impl && key && !isLettersShiftKey(key.get()))
        impl->endShiftDoubleTap();
}

void UIKeyboardLayoutStar::touchCancelled(NSObject*)
{
    send(m_impl, sel::clearLongPressTimer);
    m_placeBeforeKeyplaneKey.reset();
    endPress();
}

void UIKeyboardLayoutStar::longPressAction()
{
    NSObject* key = m_pressedKey.get();
    if (!key || m_variantsView)
        return;
    if (send(key, sel::displayType) == UIKBKeyDisplayTypeDelete) {
        deleteBackwardRepeatedly();
        return;
    }
    NSMutableArray* variants = send(key, sel::properties)->objectForKey(UIKBProperty::variants).array();
    if (isCharacterKey(key) && variants && variants->count())
        showVariants(key, variants);
}

bool UIKeyboardLayoutStar::isCharacterKey(NSObject* key)
{
    int type = send(key, sel::displayType);
    return key && (type == UIKBKeyDisplayTypeString || type == UIKBKeyDisplayTypeDynamicString);
}

bool UIKeyboardLayoutStar::isKeyplaneKey(NSObject* key)
{
    int type = send(key, sel::displayType);
    return key && (type == UIKBKeyDisplayTypeShift || type == UIKBKeyDisplayTypeMore);
}

bool UIKeyboardLayoutStar::isLettersKeyplane()
{
    return send(m_keyplane.get(), sel::componentName).containsString("Letters", NSCaseInsensitiveSearch);
}

// Typed on the numbers or symbols keyplane of a keyboard that has letters.
bool UIKeyboardLayoutStar::bringsLettersBackAfter(const NSString& typed)
{
    if (!typed.isEqualToString(" ") && !typed.isEqualToString("'"))
        return false;
    return !isLettersKeyplane() && !keyboardTypeStartsWithNumbers(m_keyboardType)
        && send(this, sel::keyplaneNamed, lettersKeyplaneName());
}

NSString UIKeyboardLayoutStar::lettersKeyplaneName()
{
    return send(m_impl, sel::isShifted) ? "Capital-Letters" : "Small-Letters";
}

UIKeyboardLayoutStar::KeyboardPlace UIKeyboardLayoutStar::currentPlace()
{
    UIKeyboardImpl* impl = m_impl.get();
    return { send(this, sel::keyplaneName), impl ? impl->shiftState() : UIKeyboardImpl::ShiftState {} };
}

void UIKeyboardLayoutStar::goBackTo(const KeyboardPlace& place)
{
    if (UIKeyboardImpl* impl = m_impl.get())
        impl->restoreShiftState(place.shift);
    if (!send(this, sel::keyplaneName).isEqualToString(place.keyplaneName))
        send(this, sel::setKeyplaneName, place.keyplaneName);
}

void UIKeyboardLayoutStar::pressKey(NSObject* key)
{
    m_pressedKey = RefPtr(key);
    m_deleteRepeated = false;
    if (!key)
        return;
    if (isCharacterKey(key))
        showPopup(key);
    send(m_impl, sel::touchLongPressTimerWithDelay, longPressDelay);
}

UIView* UIKeyboardLayoutStar::keyboardWindow()
{
    return runtimeCast<UIView>(send(send(UIKeyboard::staticClass(), sel::activeKeyboard), sel::window));
}

// The pop-up stands on the key cap: its head above the key shows the key
// large, its stem covers the cap. At the keyboard's left and right edges (in
// portrait) the head leans inwards so it stays on screen.
void UIKeyboardLayoutStar::showPopup(NSObject* key)
{
    UIView* window = keyboardWindow();
    auto* keyNode = runtimeCast<UIKBTree>(key);
    if (!window || !keyNode)
        return;
    NSMutableDictionary* geometry = m_keyboard->properties();
    auto headWidth
        = static_cast<CGFloat>(geometry->objectForKey(UIKBKeyboardProperty::popupHeadWidth).realValue());
    auto headHeight
        = static_cast<CGFloat>(geometry->objectForKey(UIKBKeyboardProperty::popupHeadHeight).realValue());
    bool landscape = geometry->objectForKey(UIKBKeyboardProperty::landscape).boolValue();

    CGRect cap = send(key, sel::paddedFrame);
    CGPoint capOrigin = convertPointToView(cap.origin, window);
    int bias = landscape ? 0 : send(key, sel::cache)->objectForKey(UIKBProperty::popupBias).intValue();
    CGFloat viewWidth = headWidth;
    CGFloat viewX = capOrigin.x + cap.width() / 2 - headWidth / 2;
    CGRect head = CGRectMake(0, 0, headWidth, headHeight);
    if (bias == UIKBPopupBiasLeftEdge || bias == UIKBPopupBiasRightEdge) {
        viewWidth = headWidth + cap.width() / 2;
        viewX = bias == UIKBPopupBiasLeftEdge ? capOrigin.x : capOrigin.x + cap.width() - viewWidth;
        head.origin.x = bias == UIKBPopupBiasLeftEdge ? 0 : viewWidth - headWidth;
    }
    CGFloat viewHeight = headHeight + cap.height();
    CGRect frame = CGRectMake(viewX, capOrigin.y + cap.height() - viewHeight, viewWidth, viewHeight);
    CGRect capInView = CGRectMake(capOrigin.x - viewX, headHeight, cap.width(), cap.height());

    m_popupView = makeRef<UIKBKeyView>(frame, keyNode, UIKBKeyViewStatePopup, head, capInView);
    window->addSubview(m_popupView);
}

void UIKeyboardLayoutStar::removePopup()
{
    // Taken out of the window through the view tree, so the pop-up hears
    // didMoveToSuperview as it leaves.
    if (RefPtr<UIKBKeyView> popup = std::move(m_popupView))
        popup->removeFromSuperview();
}

void UIKeyboardLayoutStar::showVariants(NSObject* key, NSMutableArray* variants)
{
    UIView* window = keyboardWindow();
    if (!window)
        return;
    send(m_impl, sel::clearLongPressTimer);
    removePopup();
    CGRect cap = send(key, sel::paddedFrame);
    CGPoint capOrigin = convertPointToView(cap.origin, window);
    CGFloat cellWidth = cap.width() + 8;
    CGFloat width = cellWidth * static_cast<CGFloat>(variants->count());
    CGFloat height = cap.height() + 16;
    // The first cell, the variant picked unless the finger slides, stands over
    // the key; the balloon stays inside the window.
    CGFloat x = capOrigin.x - (cellWidth - cap.width()) / 2;
    x = std::clamp(x, 0.0f, std::max(0.0f, window->frame().width() - width));
    CGRect frame = CGRectMake(x, capOrigin.y - height - 4, width, height);
    auto copy = NSMutableArray::arrayWithValues(variants->values());
    m_variantsView = makeRef<UIKBVariantsView>(frame, copy);
    window->addSubview(m_variantsView);
}

void UIKeyboardLayoutStar::removeVariants()
{
    if (RefPtr<UIKBVariantsView> variants = std::move(m_variantsView))
        variants->removeFromSuperview();
}

void UIKeyboardLayoutStar::endPress()
{
    m_repeatTimer.cancel();
    removeVariants();
    removePopup();
    m_pressedKey = nullptr;
}

void UIKeyboardLayoutStar::performKeyAction(NSObject* key)
{
    switch (send(key, sel::displayType)) {
    case UIKBKeyDisplayTypeString:
    case UIKBKeyDisplayTypeDynamicString:
    case UIKBKeyDisplayTypeSpace:
    case UIKBKeyDisplayTypeReturn:
        typeString(send(key, sel::representedString));
        break;
    case UIKBKeyDisplayTypeShift:
    case UIKBKeyDisplayTypeMore: {
        // Shift keys that name a keyplane switch to it (the numbers keyplanes'
        // "#+=" and "123"); the letters' shift key shifts.
        NSString target = send(key, sel::properties)->objectForKey(UIKBProperty::keyplaneSwitch).string();
        if (target.isNil()) {
            UIKeyboardImpl* impl = m_impl.get();
            if (impl && send(key, sel::displayType) == UIKBKeyDisplayTypeShift)
                impl->shiftKeyTapped();
            break;
        }
        if (target.isEqualToString("Small-Letters"))
            target = lettersKeyplaneName();
        send(this, sel::setKeyplaneName, target);
        break;
    }
    case UIKBKeyDisplayTypeDelete:
        if (!m_deleteRepeated)
            send(textInput(), sel::deleteBackward);
        break;
    default:
        break;
    }
}

NSObject* UIKeyboardLayoutStar::textInput()
{
    UIKeyboardImpl* impl = m_impl.get();
    return impl ? impl->textInput() : nullptr;
}

void UIKeyboardLayoutStar::typeString(const NSString& string)
{
    if (string.isNil() || string.isEmpty())
        return;
    send(textInput(), sel::insertText, string);
}

void UIKeyboardLayoutStar::deleteBackwardRepeatedly()
{
    m_deleteRepeated = true;
    send(textInput(), sel::deleteBackward);
    WeakPtr<UIKeyboardLayoutStar> self(this);
    m_repeatTimer.schedule(deleteRepeatInterval, [self] {
        if (UIKeyboardLayoutStar* layout = self.get())
            layout->deleteBackwardRepeatedly();
    });
}

// Several fingers may be on the keyboard at once. The rules for them:
// - One touch at a time is active: its key is pressed, and only it reaches
//   touchDragged:, touchUp: and touchCancelled:.
// - A finger that goes down while another holds a key commits that key at
//   once (rollover): touchUp: types the key's current represented string and
//   its pop-up leaves the window, before the new finger's key is hit-tested.
//   That touch is finished; its later moves and its lift reach nothing.
// - The letters' shift key is the exception: held while another key goes
//   down, it turns into a modifier. Its press is cancelled and what it did as
//   it went down is undone (no shift tap), the keyboard is shifted while the
//   finger stays, and it is unshifted (unless shift is locked) when the finger
//   lifts, or when the key that is down then ends. So a letter tapped
//   meanwhile is a capital.
// - Delete is committed like any key, so its repeat stops when the other
//   thumb types.
// - When the keyboard leaves the screen the active touch is cancelled and
//   the other fingers are forgotten.
void UIKeyboardLayoutStar::touchesBegan(NSSet* touches, NSObject*)
{
    for (UITouch* touch : touchesOf(touches))
        beginTouch(touch);
}

void UIKeyboardLayoutStar::touchesMoved(NSSet* touches, NSObject*)
{
    for (UITouch* touch : touchesOf(touches)) {
        if (touch == m_activeTouch.get())
            send(this, sel::touchDragged, touch);
    }
}

void UIKeyboardLayoutStar::touchesEnded(NSSet* touches, NSObject*)
{
    for (UITouch* touch : touchesOf(touches))
        endTouch(touch, sel::touchUp);
}

void UIKeyboardLayoutStar::touchesCancelled(NSSet* touches, NSObject*)
{
    for (UITouch* touch : touchesOf(touches))
        endTouch(touch, sel::touchCancelled);
}

void UIKeyboardLayoutStar::cancelTouches()
{
    RefPtr<UITouch> touch(m_activeTouch.get());
    m_activeTouch = nullptr;
    m_shiftTouch = nullptr;
    m_shiftLifted = false;
    send(this, sel::touchCancelled, touch.get());
}

void UIKeyboardLayoutStar::beginTouch(UITouch* touch)
{
    if (m_activeTouch) {
        if (!m_shiftTouch && isLettersShiftKey(m_pressedKey.get()))
            holdShift();
        else
            endActiveTouch(sel::touchUp);
    }
    m_activeTouch = touch;
    CGPoint point = send(touch, sel::locationInView, this);
    NSObject* key = send(this, sel::keyHitTest, point);
    send(this, sel::touchDownWithKeyAtPoint, key, point);
}

void UIKeyboardLayoutStar::endTouch(UITouch* touch, const Selector<void(NSObject*)>& message)
{
    if (touch == m_activeTouch.get()) {
        endActiveTouch(message);
        return;
    }
    // A committed touch is finished, and other touches are not the keyboard's.
    if (touch != m_shiftTouch.get())
        return;
    if (m_activeTouch)
        m_shiftLifted = true;
    else
        releaseShift();
}

bool UIKeyboardLayoutStar::isLettersShiftKey(NSObject* key)
{
    if (!key || send(key, sel::displayType) != UIKBKeyDisplayTypeShift)
        return false;
    return send(key, sel::properties)->objectForKey(UIKBProperty::keyplaneSwitch).string().isNil();
}

void UIKeyboardLayoutStar::holdShift()
{
    m_shiftTouch = m_activeTouch.get();
    m_shiftLifted = false;
    std::optional<KeyboardPlace> beforeShift = m_placeBeforeKeyplaneKey;
    endActiveTouch(sel::touchCancelled);
    UIKeyboardImpl* impl = m_impl.get();
    if (impl && beforeShift)
        impl->restoreShiftState(beforeShift->shift);
    if (!send(m_impl, sel::isShifted))
        send(m_impl, sel::setShift, true);
}

void UIKeyboardLayoutStar::endActiveTouch(const Selector<void(NSObject*)>& message)
{
    RefPtr<UITouch> touch(m_activeTouch.get());
    m_activeTouch = nullptr;
    send(this, message, touch.get());
    if (m_shiftLifted)
        releaseShift();
}

void UIKeyboardLayoutStar::releaseShift()
{
    m_shiftTouch = nullptr;
    m_shiftLifted = false;
    if (send(m_impl, sel::isShifted) && !send(m_impl, sel::isShiftLocked))
        send(m_impl, sel::setShift, false);
}
