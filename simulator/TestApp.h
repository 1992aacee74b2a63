#pragma once

#include "simulator/HostApp.h"

class UILabel;

// The smallest app that shows a keyboard: a window with a title and one text
// field. `corvane-sim keys` and scripts without `app` run in it.
class TestApp final : public HostApp {
public:
    // title names the app on screen: "Keyboard Test" or "Notes".
    TestApp(CGRect screenBounds, const char* title, const char* placeholder);
    ~TestApp() override;

    UITextField* textField() const override { return m_textField.get(); }

private:
    void layOut(CGRect bounds) override;

    RefPtr<UILabel> m_title;
    RefPtr<UITextField> m_textField;
};
