#pragma once

#include "platform/runtime/RefPtr.h"
#include "simulator/HostApp.h"

class UILabel;

// The smallest app that shows a keyboard: a window with a title and one text
// field. `corvane-sim keys`, scripts without `app`, and the Notes app.
class TestApp final : public HostApp {
public:
    TestApp(CGRect screenBounds, const char* title, const char* placeholder);
    ~TestApp() override;

    UIWindow* window() const override { return m_window.get(); }
    UITextField* textField() const override { return m_textField.get(); }
    void setScreenBounds(CGRect bounds) override;

private:
    void layOut(CGRect bounds);

    RefPtr<UIWindow> m_window;
    RefPtr<UILabel> m_title;
    RefPtr<UITextField> m_textField;
};
