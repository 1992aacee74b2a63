#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIViewController.h"

#include <vector>

class MFMailComposeViewController;

enum MFMailComposeResult {
    MFMailComposeResultCancelled = 0,
    MFMailComposeResultSaved = 1,
    MFMailComposeResultSent = 2,
    MFMailComposeResultFailed = 3,
};

namespace sel {
inline constinit Selector<bool()> canSendMail("canSendMail");
inline constinit Selector<void(NSObject*)> setMailComposeDelegate("setMailComposeDelegate:");
inline constinit Selector<void(NSString)> setSubject("setSubject:");
inline constinit Selector<void(NSMutableArray*)> setToRecipients("setToRecipients:");
inline constinit Selector<void(NSString, bool)> setMessageBodyIsHTML("setMessageBody:isHTML:");
// The delegate's one message: the user left the sheet with this result (the
// error is nothing here). The delegate dismisses the sheet.
inline constinit Selector<void(MFMailComposeViewController*, int, NSObject*)>
    mailComposeControllerDidFinishWithResultError("mailComposeController:didFinishWithResult:error:");
} // namespace sel

// The sheet for writing a mail: recipients, subject and body under a bar
// with Cancel and Send. Leaving it tells the mail-compose delegate the
// result; the sheet stays up until the delegate dismisses it.
class PLATFORM_EXPORT MFMailComposeViewController final : public UIViewController {
public:
    static Class* staticClass();
    // Whether a mail account is set up, set by the host; no until it says so.
    static void setCanSendMail(bool canSend);

    MFMailComposeViewController();

    NSObject* mailComposeDelegate() const { return m_delegate.get(); }
    void setMailComposeDelegate(NSObject* delegate) { m_delegate = delegate; }
    const NSString& subject() const { return m_subject; }
    void setSubject(NSString subject);
    const std::vector<NSString>& toRecipients() const { return m_recipients; }
    // The strings of the list; anything else in it is skipped.
    void setToRecipients(NSMutableArray* recipients);
    const NSString& messageBody() const { return m_body; }
    void setMessageBodyIsHTML(NSString body, bool isHTML);
    bool isBodyHTML() const { return m_bodyIsHTML; }

    // The user leaving the sheet: cancelled, saved, sent or failed.
    void finishWithResult(int result);
    UIButton* cancelButton() const { return m_cancelButton.get(); }
    UIButton* sendButton() const { return m_sendButton.get(); }

protected:
    RefPtr<UIView> loadView() override;

private:
    void refreshLabels();

    WeakPtr<NSObject> m_delegate;
    NSString m_subject;
    std::vector<NSString> m_recipients;
    NSString m_body { "" };
    bool m_bodyIsHTML { false };
    RefPtr<UILabel> m_recipientsLabel;
    RefPtr<UILabel> m_subjectLabel;
    RefPtr<UIButton> m_cancelButton;
    RefPtr<UIButton> m_sendButton;
};
