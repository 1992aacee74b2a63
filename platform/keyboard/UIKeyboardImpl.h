#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/KeyboardSelectors.h"
#include "platform/keyboard/KeyboardTimer.h"
#include "platform/runtime/WeakPtr.h"

class UIKeyboardLayoutStar;

// The keyboard's controller view: it holds the layout controller, the shift
// state, the long-press timer and the text input being typed into. One
// instance is the active one while a keyboard is shown.
class PLATFORM_EXPORT UIKeyboardImpl final : public UIView {
public:
    static Class* staticClass();

    UIKeyboardImpl(CGRect frame, RefPtr<UIKeyboardLayoutStar> layout);
    ~UIKeyboardImpl() override;

    // The active instance; nothing once it is gone.
    static void setActiveInstance(UIKeyboardImpl* instance);

    UIKeyboardLayoutStar* layoutStar() const { return m_layout.get(); }
    NSObject* textInput() const { return m_textInput.get(); }
    void setTextInput(NSObject* input) { m_textInput = input; }
    bool isLongPressTimerScheduled() const { return m_longPressTimer.isScheduled(); }
    double longPressTimerFireTime() const { return m_longPressTimer.fireTime(); }

    // A tap on the shift key of a letters keyplane: shift, shift lock when it
    // follows the tap that shifted within the double-tap interval, or unshift.
    void shiftKeyTapped();
    // Another key was touched: a next tap on shift is not the second of a double tap.
    void endShiftDoubleTap() { m_shiftedByTapAt = -1; }

    // Everything shift is, so that it can be put back as it was, the time of
    // the tap that shifted (for a double tap) included.
    struct ShiftState {
        bool shifted { false };
        bool locked { false };
        double shiftedByTapAt { -1 };
    };
    ShiftState shiftState() const { return { m_shifted, m_shiftLocked, m_shiftedByTapAt }; }
    // Through the shift messages, so whoever replaced them sees the change.
    void restoreShiftState(const ShiftState& state);

    // The platform's own implementations of the keyboard messages.
    NSObject* layout();
    bool isShifted() { return m_shifted; }
    bool isShiftLocked() { return m_shiftLocked; }
    void setShift(bool shifted);
    void setShiftLocked(bool locked);
    void touchLongPressTimerWithDelay(double seconds);
    void clearLongPressTimer() { m_longPressTimer.cancel(); }
    CGFloat currentLandscapeWidth();
    CGFloat currentLandscapeHeight();

    static constexpr double shiftDoubleTapInterval = 0.35;

private:
    void showLettersForShiftState();

    RefPtr<UIKeyboardLayoutStar> m_layout;
    WeakPtr<NSObject> m_textInput;
    KeyboardTimer m_longPressTimer;
    bool m_shifted { false };
    bool m_shiftLocked { false };
    double m_shiftedByTapAt { -1 };
};
