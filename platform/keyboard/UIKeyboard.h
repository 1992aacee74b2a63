#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/KeyboardSelectors.h"

class UIKeyboardImpl;

// The keyboard as it sits at the bottom of a window; it holds the keyboard
// controller view. One keyboard is the active one while it is shown.
class PLATFORM_EXPORT UIKeyboard final : public UIView {
public:
    static Class* staticClass();

    UIKeyboard(CGRect frame, RefPtr<UIKeyboardImpl> impl);

    // The active keyboard; nothing once it is gone.
    static void setActiveKeyboard(UIKeyboard* keyboard);

    UIKeyboardImpl* impl() const { return m_impl.get(); }

private:
    RefPtr<UIKeyboardImpl> m_impl;
};
