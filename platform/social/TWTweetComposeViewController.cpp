#include "platform/social/TWTweetComposeViewController.h"

#include "platform/social/ComposeSheetButton.h"
#include "platform/uikit/UIScreen.h"

namespace {

bool accountAvailable = false;

constexpr CGColor cardColor = CGColor::rgb(0.96F, 0.96F, 0.94F);

} // namespace

Class* TWTweetComposeViewController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("TWTweetComposeViewController", UIViewController::staticClass());
        addAllocator<TWTweetComposeViewController>(created);
        addMethod(created->metaclass(), sel::canSendTweet, [](NSObject*) { return accountAvailable; });
        addMethod<&TWTweetComposeViewController::setInitialTextImpl>(created, sel::setInitialText);
        addMethod<&TWTweetComposeViewController::setCompletionHandlerImpl>(
            created, sel::setCompletionHandler);
        return created;
    }();
    return cls;
}

bool TWTweetComposeViewController::isFrameworkLoaded()
{
    return objc_getClass("TWTweetComposeViewController") != nullptr;
}

void TWTweetComposeViewController::setCanSendTweet(bool canSend)
{
    accountAvailable = canSend;
}

TWTweetComposeViewController::TWTweetComposeViewController()
    : UIViewController(staticClass())
{
}

bool TWTweetComposeViewController::setInitialTextImpl(NSString text)
{
    if (text.length() > maximumLength)
        return false;
    m_initialText = std::move(text);
    if (m_textLabel)
        m_textLabel->setText(m_initialText);
    return true;
}

void TWTweetComposeViewController::setCompletionHandlerImpl(std::function<void(int)> handler)
{
    m_completionHandler = std::move(handler);
}

void TWTweetComposeViewController::finishWithResult(int result)
{
    RefPtr<TWTweetComposeViewController> keepAlive(this);
    // The handler runs once; letting go of it also lets go of what it holds.
    auto handler = std::move(m_completionHandler);
    m_completionHandler = nullptr;
    if (handler)
        handler(result);
    else
        send(this, sel::dismissModalViewControllerAnimated, true);
}

// A card near the top of the dimmed screen: Cancel and Send over the text.
RefPtr<UIView> TWTweetComposeViewController::loadView()
{
    CGRect screen = UIScreen::mainScreen()->bounds();
    auto sheet = UIView::make(screen);
    sheet->setBackgroundColor(CGColor::white(0, 0.45F));
    auto card = UIView::make(CGRectMake(10, 40, screen.width() - 20, 190));
    card->setBackgroundColor(cardColor);
    card->layer().setCornerRadius(8);
    card->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    sheet->addSubview(card);

    auto heading = UILabel::make(CGRectMake(0, 8, card->frame().width(), 30));
    heading->setText("Tweet");
    heading->setFont(UIFont::boldSystemFontOfSize(18));
    heading->setTextAlignment(UITextAlignmentCenter);
    heading->setBackgroundColor(UIColor::clearColor().get());
    card->addSubview(heading);
    m_cancelButton = makeComposeSheetButton("Cancel", CGRectMake(8, 8, 70, 30));
    m_cancelButton->addActionForControlEvents(
        [this] { finishWithResult(TWTweetComposeViewControllerResultCancelled); },
        UIControlEventTouchUpInside);
    m_sendButton = makeComposeSheetButton("Send", CGRectMake(card->frame().width() - 78, 8, 70, 30));
    m_sendButton->addActionForControlEvents(
        [this] { finishWithResult(TWTweetComposeViewControllerResultDone); }, UIControlEventTouchUpInside);
    card->addSubview(m_cancelButton);
    card->addSubview(m_sendButton);

    m_textLabel = UILabel::make(CGRectMake(12, 48, card->frame().width() - 24, 130));
    m_textLabel->setText(m_initialText);
    m_textLabel->setNumberOfLines(0);
    m_textLabel->setLineBreakMode(UILineBreakModeWordWrap);
    m_textLabel->setBackgroundColor(UIColor::clearColor().get());
    card->addSubview(m_textLabel);
    return sheet;
}
