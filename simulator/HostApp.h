#pragma once

#include "platform/foundation/ErrorOr.h"
#include "platform/graphics/CGGeometry.h"

#include <string>

class UITextField;
class UIWindow;

// An app in its host process: a window the size of the screen, and the text
// field that `keyboard` focuses and `expect text` reads.
class HostApp {
public:
    HostApp() = default;
    virtual ~HostApp() = default;
    HostApp(const HostApp&) = delete;
    HostApp& operator=(const HostApp&) = delete;

    virtual UIWindow* window() const = 0;
    // The field on screen that takes the keyboard; nothing when there is none.
    virtual UITextField* textField() const = 0;
    // The device turned: the window takes the new screen size.
    virtual void setScreenBounds(CGRect bounds) = 0;
    // Pops the app's page stack; an error when there is nothing to pop.
    virtual ErrorOr<void> goBack() { return Error { "this app has no page to go back from" }; }
};
