#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"

#include <vector>

class UIAlertView;

namespace sel {
// Optional; the cancel button is index 0, the other buttons follow.
inline constinit Selector<void(UIAlertView*, int)> alertViewClickedButtonAtIndex(
    "alertView:clickedButtonAtIndex:");
} // namespace sel

// A message box over the key window: a title, a message and a row of
// buttons, the cancel button first. show puts it up (dimming the window);
// a tap on a button tells the delegate and takes it down. A shown alert
// keeps itself alive until then; the host can list the alerts on screen.
class PLATFORM_EXPORT UIAlertView final : public UIView {
public:
    static Class* staticClass();

    // initWithTitle:message:delegate:cancelButtonTitle:otherButtonTitles:
    UIAlertView(NSString title, NSString message, NSObject* delegate, NSString cancelButtonTitle,
        std::vector<NSString> otherButtonTitles);
    static Ref<UIAlertView> make(NSString title, NSString message, NSObject* delegate,
        NSString cancelButtonTitle, std::vector<NSString> otherButtonTitles = {})
    {
        return makeRef<UIAlertView>(std::move(title), std::move(message), delegate,
            std::move(cancelButtonTitle), std::move(otherButtonTitles));
    }

    const NSString& title() const { return m_title; }
    const NSString& message() const { return m_message; }
    NSObject* delegate() const { return m_delegate.get(); }
    int numberOfButtons() const { return static_cast<int>(m_buttons.size()); }
    NSString buttonTitleAtIndex(int index) const;
    UIButton* buttonAtIndex(int index) const;
    bool isVisible() const { return m_visible; }

    // Shows it in the key window; nothing without one.
    void show();
    void dismissWithClickedButtonIndexAnimated(int index, bool animated);

    // The alerts on screen, oldest first.
    static std::vector<UIAlertView*> visibleAlerts();

    void layoutSubviewsImpl();

private:
    NSString m_title;
    NSString m_message;
    WeakPtr<NSObject> m_delegate;
    RefPtr<UIView> m_box;
    RefPtr<UILabel> m_titleLabel;
    RefPtr<UILabel> m_messageLabel;
    std::vector<RefPtr<UIButton>> m_buttons;
    bool m_visible { false };
};
