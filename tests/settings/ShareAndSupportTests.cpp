#include "platform/social/MFMailComposeViewController.h"
#include "platform/social/TWTweetComposeViewController.h"
#include "platform/uikit/UIAlertView.h"
#include "platform/uikit/UIWindow.h"
#include "settings/CorvanePrefSelectors.h"
#include "tests/settings/MainPageFixture.h"

namespace {

class ShareAndSupport : public MainPageFixture {
protected:
    void tapView(UIView* view)
    {
        host->window()->runDisplayPass();
        CGRect area = view->convertRectToView(view->bounds(), host->window());
        host->window()->tap({ area.midX(), area.midY() });
        host->window()->runDisplayPass();
    }

    void tapHeart()
    {
        UIView* heart = page->navigationItem()->rightBarButtonItem()->customView();
        ASSERT_EQ(host->rootController()->navigationBar()->shownRightView(), heart);
        tapView(heart);
    }

    MFMailComposeViewController* openMailSheet()
    {
        MFMailComposeViewController::setCanSendMail(true);
        tapRow(4);
        return runtimeCast<MFMailComposeViewController>(page->presentedViewController());
    }
};

// First in this program, before any test loads the framework for good.
TEST_F(ShareAndSupport, WithoutTheTweetFrameworkTheHeartDoesNothing)
{
    ASSERT_FALSE(TWTweetComposeViewController::isFrameworkLoaded()) << "run before the framework is loaded";
    tapHeart();
    EXPECT_EQ(page->presentedViewController(), nullptr);
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
}

TEST_F(ShareAndSupport, WithoutATweetAccountTheHeartDoesNothing)
{
    TWTweetComposeViewController::loadFramework();
    tapHeart();
    EXPECT_EQ(page->presentedViewController(), nullptr);
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
}

TEST_F(ShareAndSupport, TheHeartOpensATweetSheetThatGoesAwayHoweverItIsLeft)
{
    TWTweetComposeViewController::loadFramework();
    TWTweetComposeViewController::setCanSendTweet(true);
    for (bool cancel : { true, false }) {
        tapHeart();
        auto* sheet = runtimeCast<TWTweetComposeViewController>(page->presentedViewController());
        ASSERT_NE(sheet, nullptr);
        EXPECT_EQ(sheet->initialText(), NSString("I love typing with #Corvane from @Quillfen!"));
        EXPECT_TRUE(sheet->hasCompletionHandler());
        EXPECT_TRUE(sheet->view()->isDescendantOfView(host->window()));
        WeakPtr<TWTweetComposeViewController> watched(sheet);

        tapView(cancel ? sheet->cancelButton() : sheet->sendButton());
        EXPECT_EQ(page->presentedViewController(), nullptr);
        EXPECT_FALSE(watched) << "dismissed and released";
    }
}

TEST_F(ShareAndSupport, WithoutAMailAccountOneAlertExplainsWhy)
{
    tapRow(4);
    EXPECT_EQ(page->presentedViewController(), nullptr);
    EXPECT_FALSE(table->indexPathForSelectedRow().has_value());
    auto alerts = UIAlertView::visibleAlerts();
    ASSERT_EQ(alerts.size(), 1u);
    UIAlertView* alert = alerts.front();
    EXPECT_EQ(alert->title(), NSString("Cannot send mail"));
    EXPECT_EQ(alert->message(),
        NSString("As you don't have any mail accounts setup, you can't send a support email"));
    EXPECT_EQ(alert->delegate(), nullptr);
    ASSERT_EQ(alert->numberOfButtons(), 1);
    EXPECT_EQ(alert->buttonTitleAtIndex(0), NSString("Dismiss"));

    WeakPtr<UIAlertView> watched(alert);
    tapView(alert->buttonAtIndex(0));
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
    EXPECT_FALSE(watched);
    EXPECT_EQ(host->topPage(), page.get());
}

TEST_F(ShareAndSupport, WithAMailAccountTheSupportSheetIsAddressedAndEmpty)
{
    MFMailComposeViewController* sheet = openMailSheet();
    ASSERT_NE(sheet, nullptr);
    EXPECT_EQ(sheet->subject(), NSString("Corvane Support"));
    EXPECT_EQ(sheet->toRecipients(), (std::vector<NSString> { "support@quillfen.example" }));
    EXPECT_EQ(sheet->messageBody(), NSString(""));
    EXPECT_EQ(sheet->mailComposeDelegate(), page.get());
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
    EXPECT_EQ(sheet->referenceCount(), 1) << "only the presentation holds it";
}

TEST_F(ShareAndSupport, EveryOutcomeOfTheMailSheetClosesItSilently)
{
    for (int result : { MFMailComposeResultCancelled, MFMailComposeResultSaved, MFMailComposeResultSent,
             MFMailComposeResultFailed }) {
        MFMailComposeViewController* sheet = openMailSheet();
        ASSERT_NE(sheet, nullptr);
        WeakPtr<MFMailComposeViewController> watched(sheet);
        if (result == MFMailComposeResultCancelled)
            tapView(sheet->cancelButton());
        else if (result == MFMailComposeResultSent)
            tapView(sheet->sendButton());
        else
            sheet->finishWithResult(result);
        EXPECT_EQ(page->presentedViewController(), nullptr) << "result " << result;
        EXPECT_FALSE(watched) << "result " << result;
        EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
        EXPECT_EQ(host->topPage(), page.get());
    }
}

} // namespace
