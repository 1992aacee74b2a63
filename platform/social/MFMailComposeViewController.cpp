#include "platform/social/MFMailComposeViewController.h"

#include "platform/social/ComposeSheetButton.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UIScreen.h"

namespace {

bool mailAccountAvailable = false;

constexpr CGFloat fieldHeight = 44;
constexpr CGColor separatorColor = CGColor::white(0.8F);

RefPtr<UILabel> makeFieldLabel(CGFloat y, CGFloat width)
{
    auto label = UILabel::make(CGRectMake(10, y, width - 20, fieldHeight));
    label->setFont(UIFont::systemFontOfSize(16));
    label->setTextColor(UIColor::grayColor());
    return label;
}

} // namespace

Class* MFMailComposeViewController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("MFMailComposeViewController", UIViewController::staticClass());
        addAllocator<MFMailComposeViewController>(created);
        addMethod(created->metaclass(), sel::canSendMail, [](NSObject*) { return mailAccountAvailable; });
        addMethod<&MFMailComposeViewController::setMailComposeDelegate>(created, sel::setMailComposeDelegate);
        addMethod<&MFMailComposeViewController::setSubject>(created, sel::setSubject);
        addMethod<&MFMailComposeViewController::setToRecipients>(created, sel::setToRecipients);
        addMethod<&MFMailComposeViewController::setMessageBodyIsHTML>(created, sel::setMessageBodyIsHTML);
        return created;
    }();
    return cls;
}

void MFMailComposeViewController::setCanSendMail(bool canSend)
{
    mailAccountAvailable = canSend;
}

MFMailComposeViewController::MFMailComposeViewController()
    : UIViewController(staticClass())
{
}

void MFMailComposeViewController::setSubject(NSString subject)
{
    m_subject = std::move(subject);
    refreshLabels();
}

void MFMailComposeViewController::setToRecipients(NSMutableArray* recipients)
{
    m_recipients.clear();
    if (recipients) {
        for (const Value& recipient : *recipients) {
            if (recipient.isString())
                m_recipients.push_back(recipient.string());
        }
    }
    refreshLabels();
}

void MFMailComposeViewController::setMessageBodyIsHTML(NSString body, bool isHTML)
{
    m_body = body.isNil() ? NSString("") : std::move(body);
    m_bodyIsHTML = isHTML;
}

void MFMailComposeViewController::finishWithResult(int result)
{
    RefPtr<MFMailComposeViewController> keepAlive(this);
    NSObject* delegate = m_delegate.get();
    if (delegate
        && class_respondsToSelector(
            object_getClass(delegate), sel::mailComposeControllerDidFinishWithResultError.id()))
        send(delegate, sel::mailComposeControllerDidFinishWithResultError, this, result, nullptr);
}

void MFMailComposeViewController::refreshLabels()
{
    if (m_recipientsLabel) {
        std::string line = "To: ";
        for (std::size_t index = 0; index < m_recipients.size(); ++index)
            line += (index ? ", " : "") + m_recipients[index].utf8();
        m_recipientsLabel->setText(NSString(line));
    }
    if (m_subjectLabel)
        m_subjectLabel->setText(
            NSString("Subject: " + (m_subject.isNil() ? std::string() : m_subject.utf8())));
}

// A white page: a bar with Cancel and Send, the To and Subject lines, and
// the (empty) body under them.
RefPtr<UIView> MFMailComposeViewController::loadView()
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto sheet = UIView::make(screen);
    sheet->setBackgroundColor(CGColor::white(1));
    auto bar = makeRef<UINavigationBar>(CGRectMake(0, 0, screen.width(), UINavigationBar::barHeight));
    bar->setItems({ UINavigationItem::make(m_subject.isNil() ? NSString("New Message") : m_subject) });
    bar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    sheet->addSubview(bar);
    m_cancelButton = makeComposeSheetButton("Cancel", CGRectMake(5, 7, 64, 30));
    m_cancelButton->addActionForControlEvents(
        [this] { finishWithResult(MFMailComposeResultCancelled); }, UIControlEventTouchUpInside);
    m_sendButton = makeComposeSheetButton("Send", CGRectMake(screen.width() - 69, 7, 64, 30));
    m_sendButton->addActionForControlEvents(
        [this] { finishWithResult(MFMailComposeResultSent); }, UIControlEventTouchUpInside);
    sheet->addSubview(m_cancelButton);
    sheet->addSubview(m_sendButton);

    m_recipientsLabel = makeFieldLabel(UINavigationBar::barHeight, screen.width());
    m_subjectLabel = makeFieldLabel(UINavigationBar::barHeight + fieldHeight, screen.width());
    for (CGFloat y :
        { UINavigationBar::barHeight + fieldHeight, UINavigationBar::barHeight + 2 * fieldHeight }) {
        auto line = UIView::make(CGRectMake(0, y - 1, screen.width(), 1));
        line->setBackgroundColor(separatorColor);
        sheet->addSubview(line);
    }
    sheet->addSubview(m_recipientsLabel);
    sheet->addSubview(m_subjectLabel);
    refreshLabels();
    return sheet;
}
