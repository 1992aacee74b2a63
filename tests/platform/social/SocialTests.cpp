#include "platform/social/MFMailComposeViewController.h"
#include "platform/social/TWTweetComposeViewController.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>
#include <vector>

namespace {

// A page that presents the sheets the way the settings page does: by class
// name, through messages, and as the mail sheet's delegate.
class SharingPage final : public UIViewController {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("SocialTestSharingPage", UIViewController::staticClass());
            addMethod<&SharingPage::mailFinished>(
                created, sel::mailComposeControllerDidFinishWithResultError);
            return created;
        }();
        return cls;
    }
    SharingPage()
        : UIViewController(staticClass())
    {
    }

    bool shareTweet()
    {
        Class* sheetClass = objc_getClass("TWTweetComposeViewController");
        if (!send(sheetClass, sel::canSendTweet))
            return false;
        RefPtr<NSObject> sheet = send(sheetClass, sel::alloc);
        send(sheet.get(), sel::init);
        NSObject* raw = sheet.get();
        send(sheet.get(), sel::setCompletionHandler, [this, raw](int result) {
            tweetResults.push_back(result);
            send(raw, sel::dismissModalViewControllerAnimated, true);
        });
        send(sheet.get(), sel::setInitialText, NSString("I love typing"));
        send(this, sel::presentViewControllerAnimatedCompletion, runtimeCast<UIViewController>(sheet.get()),
            true, std::function<void()>());
        return true;
    }

    void showMail()
    {
        Class* sheetClass = MFMailComposeViewController::staticClass();
        RefPtr<NSObject> sheet = send(sheetClass, sel::alloc);
        send(sheet.get(), sel::init);
        send(sheet.get(), sel::setMailComposeDelegate, this);
        send(sheet.get(), sel::setSubject, NSString("Corvane Support"));
        send(
            sheet.get(), sel::setToRecipients, NSMutableArray::arrayWithValues({ "help@example.com" }).get());
        send(this, sel::presentModalViewControllerAnimated, runtimeCast<UIViewController>(sheet.get()), true);
    }

    void mailFinished(MFMailComposeViewController*, int result, NSObject*)
    {
        mailResults.push_back(result);
        send(this, sel::dismissModalViewControllerAnimated, true);
    }

    std::vector<int> tweetResults;
    std::vector<int> mailResults;
};

class Sheets : public testing::Test {
protected:
    void SetUp() override
    {
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        window->makeKeyAndVisible();
        page = makeRef<SharingPage>();
        window->addSubview(RefPtr(page->view()));
    }
    void TearDown() override
    {
        TWTweetComposeViewController::setCanSendTweet(false);
        MFMailComposeViewController::setCanSendMail(false);
        runtimeRestoreRegisteredMethods();
    }
    void tapCentre(UIView* view)
    {
        window->runDisplayPass();
        CGRect area = view->convertRectToView(view->bounds(), window.get());
        window->tap({ area.midX(), area.midY() });
    }

    RefPtr<UIWindow> window;
    RefPtr<SharingPage> page;
};

TEST_F(Sheets, WithoutTheFrameworkTheTweetClassIsMissingAndTheQueryAnswersNo)
{
    EXPECT_FALSE(TWTweetComposeViewController::isFrameworkLoaded());
    EXPECT_EQ(objc_getClass("TWTweetComposeViewController"), nullptr);
    EXPECT_FALSE(page->shareTweet());
    EXPECT_EQ(page->presentedViewController(), nullptr);
}

TEST_F(Sheets, TweetSheetNeedsAnAccountAndIsDismissedByItsHandlerEitherWay)
{
    TWTweetComposeViewController::loadFramework();
    EXPECT_FALSE(page->shareTweet());
    TWTweetComposeViewController::setCanSendTweet(true);

    for (int result :
        { TWTweetComposeViewControllerResultCancelled, TWTweetComposeViewControllerResultDone }) {
        ASSERT_TRUE(page->shareTweet());
        auto* sheet = runtimeCast<TWTweetComposeViewController>(page->presentedViewController());
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->initialText(), NSString("I love typing"));
        EXPECT_EQ(sheet->view()->superview(), window.get());
        WeakPtr<TWTweetComposeViewController> watched(sheet);
        tapCentre(
            result == TWTweetComposeViewControllerResultDone ? sheet->sendButton() : sheet->cancelButton());
        EXPECT_EQ(page->presentedViewController(), nullptr);
        // Nothing holds the sheet once it is gone.
        EXPECT_EQ(watched.get(), nullptr);
    }
    EXPECT_EQ(page->tweetResults, (std::vector<int> { 0, 1 }));
}

TEST_F(Sheets, TweetTextLongerThanATweetIsRefused)
{
    auto sheet = makeRef<TWTweetComposeViewController>();
    EXPECT_TRUE(send(sheet.get(), sel::setInitialText, NSString("short")));
    EXPECT_FALSE(send(sheet.get(), sel::setInitialText, NSString(std::string(141, 'x'))));
    EXPECT_EQ(sheet->initialText(), NSString("short"));
}

TEST_F(Sheets, MailSheetCarriesSubjectAndRecipientsAndReportsEveryResult)
{
    EXPECT_FALSE(send(MFMailComposeViewController::staticClass(), sel::canSendMail));
    MFMailComposeViewController::setCanSendMail(true);
    EXPECT_TRUE(send(MFMailComposeViewController::staticClass(), sel::canSendMail));

    for (int result : { MFMailComposeResultCancelled, MFMailComposeResultSaved, MFMailComposeResultSent,
             MFMailComposeResultFailed }) {
        page->showMail();
        auto* sheet = runtimeCast<MFMailComposeViewController>(page->presentedViewController());
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->subject(), NSString("Corvane Support"));
        ASSERT_EQ(sheet->toRecipients().size(), 1U);
        EXPECT_EQ(sheet->toRecipients()[0], NSString("help@example.com"));
        EXPECT_TRUE(sheet->messageBody().isEmpty());
        EXPECT_FALSE(sheet->messageBody().isNil());
        sheet->finishWithResult(result);
        EXPECT_EQ(page->presentedViewController(), nullptr);
    }
    EXPECT_EQ(page->mailResults, (std::vector<int> { 0, 1, 2, 3 }));

    page->showMail();
    auto* sheet = runtimeCast<MFMailComposeViewController>(page->presentedViewController());
    tapCentre(sheet->sendButton());
    EXPECT_EQ(page->mailResults.back(), MFMailComposeResultSent);
    EXPECT_EQ(page->presentedViewController(), nullptr);
}

} // namespace
