#include "platform/keyboard/UIKeyboardImpl.h"

#include "platform/keyboard/KeyboardLayoutBuilder.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"

namespace {

WeakPtr<UIKeyboardImpl>& activeImpl()
{
    static WeakPtr<UIKeyboardImpl> instance;
    return instance;
}

} // namespace

Class* UIKeyboardImpl::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKeyboardImpl", UIView::staticClass());
        addMethod(created->metaclass(), sel::activeInstance,
            [](NSObject*) -> NSObject* { return activeImpl().get(); });
        addMethod<&UIKeyboardImpl::layout>(created, sel::layout);
        addMethod<&UIKeyboardImpl::isShifted>(created, sel::isShifted);
        addMethod<&UIKeyboardImpl::isShiftLocked>(created, sel::isShiftLocked);
        addMethod<&UIKeyboardImpl::setShift>(created, sel::setShift);
        addMethod<&UIKeyboardImpl::setShiftLocked>(created, sel::setShiftLocked);
        addMethod<&UIKeyboardImpl::touchLongPressTimerWithDelay>(created, sel::touchLongPressTimerWithDelay);
        addMethod<&UIKeyboardImpl::clearLongPressTimer>(created, sel::clearLongPressTimer);
        addMethod<&UIKeyboardImpl::currentLandscapeWidth>(created, sel::currentLandscapeWidth);
        addMethod<&UIKeyboardImpl::currentLandscapeHeight>(created, sel::currentLandscapeHeight);
        return created;
    }();
    return cls;
}

UIKeyboardImpl::UIKeyboardImpl(CGRect frame, RefPtr<UIKeyboardLayoutStar> layout)
    : UIView(frame, staticClass())
    , m_layout(std::move(layout))
{
    m_layout->setKeyboardImpl(this);
    addSubview(m_layout);
}

UIKeyboardImpl::~UIKeyboardImpl()
{
    m_layout->setKeyboardImpl(nullptr);
}

void UIKeyboardImpl::setActiveInstance(UIKeyboardImpl* instance)
{
    activeImpl() = instance;
}

NSObject* UIKeyboardImpl::layout()
{
    return m_layout.get();
}

void UIKeyboardImpl::shiftKeyTapped()
{
    double now = KeyboardTimer::now();
    if (m_shiftLocked) {
        send(this, sel::setShiftLocked, false);
    } else if (m_shifted && m_shiftedByTapAt >= 0 && now - m_shiftedByTapAt <= shiftDoubleTapInterval) {
        send(this, sel::setShiftLocked, true);
    } else if (m_shifted) {
        send(this, sel::setShift, false);
    } else {
        send(this, sel::setShift, true);
        m_shiftedByTapAt = now;
        return;
    }
    m_shiftedByTapAt = -1;
}

void UIKeyboardImpl::restoreShiftState(const ShiftState& state)
{
    if (m_shiftLocked && !state.locked)
        send(this, sel::setShiftLocked, false);
    if (state.locked && !m_shiftLocked)
        send(this, sel::setShiftLocked, true);
    else if (!state.locked && m_shifted != state.shifted)
        send(this, sel::setShift, state.shifted);
    m_shiftedByTapAt = state.shiftedByTapAt;
}

void UIKeyboardImpl::setShift(bool shifted)
{
    m_shifted = shifted;
    if (!shifted)
        m_shiftLocked = false;
    showLettersForShiftState();
}

void UIKeyboardImpl::setShiftLocked(bool locked)
{
    m_shiftLocked = locked;
    m_shifted = locked;
    showLettersForShiftState();
}

// Only the letters follow the shift state; the numbers keyplanes stay.
void UIKeyboardImpl::showLettersForShiftState()
{
    NSObject* keyplane = send(m_layout.get(), sel::keyplane);
    if (!send(keyplane, sel::componentName).containsString("Letters", NSCaseInsensitiveSearch))
        return;
    send(m_layout.get(), sel::setKeyplaneName, NSString(m_shifted ? "Capital-Letters" : "Small-Letters"));
}

// Every drag re-arms the timer, so a waiting one is moved rather than made anew.
void UIKeyboardImpl::touchLongPressTimerWithDelay(double seconds)
{
    if (m_longPressTimer.rearm(seconds))
        return;
    WeakPtr<UIKeyboardLayoutStar> layout(m_layout.get());
    m_longPressTimer.schedule(seconds, [layout] { send(layout, sel::longPressAction); });
}

CGFloat UIKeyboardImpl::currentLandscapeWidth()
{
    return keyboardSize(true).width;
}

CGFloat UIKeyboardImpl::currentLandscapeHeight()
{
    return keyboardSize(true).height;
}
