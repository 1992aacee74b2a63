#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIViewController.h"

#include <functional>

enum TWTweetComposeViewControllerResult {
    TWTweetComposeViewControllerResultCancelled = 0,
    TWTweetComposeViewControllerResultDone = 1,
};

// The tweet sheet's messages. canSendTweet is a class operation; code that
// may run where the framework is missing finds the class with objc_getClass
// and sends it there, so that a missing class answers no.
namespace sel {
inline constinit Selector<bool()> canSendTweet("canSendTweet");
inline constinit Selector<bool(NSString)> setInitialText("setInitialText:");
inline constinit Selector<void(std::function<void(int)>)> setCompletionHandler("setCompletionHandler:");
} // namespace sel

// The sheet for posting a short message: the initial text on a card with
// Cancel and Send. Leaving it calls the completion handler with the result
// (the handler dismisses the sheet); without a handler the sheet dismisses
// itself. The class exists only once the framework is loaded: a host that
// plays a system without it never calls loadFramework, and
// objc_getClass("TWTweetComposeViewController") answers nothing.
class PLATFORM_EXPORT TWTweetComposeViewController final : public UIViewController {
public:
    static constexpr std::size_t maximumLength = 140;

    static Class* staticClass();
    // Registers the class (the framework is present from then on).
    static void loadFramework() { staticClass(); }
    static bool isFrameworkLoaded();
    // Whether an account is set up, set by the host; no until it says so.
    static void setCanSendTweet(bool canSend);

    TWTweetComposeViewController();

    const NSString& initialText() const { return m_initialText; }
    // Refused (no) when the text is longer than a tweet.
    bool setInitialTextImpl(NSString text);
    void setCompletionHandlerImpl(std::function<void(int)> handler);
    bool hasCompletionHandler() const { return static_cast<bool>(m_completionHandler); }

    // The user leaving the sheet with Cancel (0) or Send (1).
    void finishWithResult(int result);
    UIButton* cancelButton() const { return m_cancelButton.get(); }
    UIButton* sendButton() const { return m_sendButton.get(); }

protected:
    RefPtr<UIView> loadView() override;

private:
    NSString m_initialText;
    std::function<void(int)> m_completionHandler;
    RefPtr<UILabel> m_textLabel;
    RefPtr<UIButton> m_cancelButton;
    RefPtr<UIButton> m_sendButton;
};
