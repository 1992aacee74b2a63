#pragma once

#include "platform/keyboard/KeyboardConfiguration.h"

#include <memory>
#include <optional>

class SystemKeyboardPresenter;
class UIView;

// The platform's keyboard in a host process: installed as the toolkit's
// keyboard presenter for as long as this object lives.
class SystemKeyboard {
public:
    SystemKeyboard();
    ~SystemKeyboard();
    SystemKeyboard(const SystemKeyboard&) = delete;
    SystemKeyboard& operator=(const SystemKeyboard&) = delete;

    // Nothing for the locale's own.
    void setLetterLayout(const KeyboardLetterLayout* layout);
    // The keyboard view at the bottom of the window, or nothing while hidden.
    UIView* keyboardView() const;

    static bool isShifted();
    static bool isShiftLocked();
    // Whether shift came from a tap on the shift key that a second tap now
    // would turn into shift lock: the double tap's time has not run out.
    static bool awaitsShiftDoubleTap();
    // Starts or ends that time as if shift had been tapped just now, or long ago.
    static void setAwaitsShiftDoubleTap(bool awaits);

private:
    std::unique_ptr<SystemKeyboardPresenter> m_presenter;
};
