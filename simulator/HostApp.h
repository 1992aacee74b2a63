#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/RefPtr.h"

#include <string>

class UITextField;
class UIWindow;

// An app in its host process: a window the size of the screen, and the text
// field that `keyboard` focuses and `expect text` reads.
class HostApp {
public:
    virtual ~HostApp();
    HostApp(const HostApp&) = delete;
    HostApp& operator=(const HostApp&) = delete;

    UIWindow* window() const { return m_window.get(); }
    virtual UITextField* textField() const = 0;

    // The device turned: the window takes the new screen size and the app lays itself out again.
    void setScreenBounds(CGRect bounds);
    // Pops the app's navigation stack; false, with the reason, when there is nothing to pop.
    virtual bool goBack(std::string& reason);

protected:
    explicit HostApp(CGRect screenBounds);
    virtual void layOut(CGRect bounds) = 0;

private:
    RefPtr<UIWindow> m_window;
};
