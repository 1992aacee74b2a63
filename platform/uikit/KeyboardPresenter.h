#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGGeometry.h"

class NSObject;
class UIWindow;

// How the toolkit brings up the system keyboard for a text input that becomes
// first responder, and takes it away when it resigns. The keyboard itself
// lives above the toolkit; it installs its presenter when the host starts.
class PLATFORM_EXPORT KeyboardPresenter {
public:
    virtual ~KeyboardPresenter() = default;
    // Shows the keyboard at the bottom of the window, typing into textInput.
    virtual void presentKeyboard(UIWindow* window, NSObject* textInput) = 0;
    virtual void dismissKeyboard() = 0;
    virtual bool isKeyboardVisible() const = 0;
    // The keyboard's frame in window coordinates (zero while hidden).
    virtual CGRect keyboardFrame() const = 0;
};

PLATFORM_EXPORT void setKeyboardPresenter(KeyboardPresenter* presenter);
// Nothing until a keyboard has installed one.
PLATFORM_EXPORT KeyboardPresenter* keyboardPresenter();
