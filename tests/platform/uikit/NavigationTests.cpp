#include "platform/uikit/UIAlertView.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::string> appearanceLog;

// A page that logs the appearance messages the stack sends it.
class LoggingPage final : public UIViewController {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("NavigationTestPage", UIViewController::staticClass());
            addAllocator<LoggingPage>(created);
            addMethod<&LoggingPage::willAppear>(created, sel::viewWillAppear);
            addMethod<&LoggingPage::didDisappear>(created, sel::viewDidDisappear);
            return created;
        }();
        return cls;
    }
    explicit LoggingPage(NSString name = "page")
        : UIViewController(staticClass())
    {
        setTitle(std::move(name));
    }
    void willAppear(bool) { appearanceLog.push_back("appear " + title().utf8()); }
    void didDisappear(bool) { appearanceLog.push_back("disappear " + title().utf8()); }
};

class AlertDelegate final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("NavigationTestAlertDelegate", NSObject::staticClass());
            addMethod<&AlertDelegate::clicked>(created, sel::alertViewClickedButtonAtIndex);
            return created;
        }();
        return cls;
    }
    AlertDelegate()
        : NSObject(staticClass())
    {
    }
    void clicked(UIAlertView*, int index) { clickedIndexes.push_back(index); }
    std::vector<int> clickedIndexes;
};

class Navigation : public testing::Test {
protected:
    void SetUp() override
    {
        appearanceLog.clear();
        window = UIWindow::make(CGRectMake(0, 0, 320, 460));
        window->makeKeyAndVisible();
        root = makeRef<LoggingPage>("Settings");
        stack = makeRef<UINavigationController>(root.get());
        stack->view()->setFrame(window->bounds());
        send(stack.get(), sel::viewWillAppear, false);
        window->addSubview(RefPtr(stack->view()));
        send(stack.get(), sel::viewDidAppear, false);
        window->runDisplayPass();
    }
    void TearDown() override
    {
        for (UIAlertView* alert : UIAlertView::visibleAlerts())
            alert->dismissWithClickedButtonIndexAnimated(0, false);
        runtimeRestoreRegisteredMethods();
    }
    void tapCentre(UIView* view)
    {
        CGRect area = view->convertRectToView(view->bounds(), window.get());
        window->tap({ area.midX(), area.midY() });
    }

    RefPtr<UIWindow> window;
    RefPtr<LoggingPage> root;
    RefPtr<UINavigationController> stack;
};

TEST_F(Navigation, PushShowsThePageUnderTheBarWithABackButtonThatPops)
{
    UINavigationBar* bar = stack->navigationBar();
    EXPECT_TRUE(bar->backButton()->isHidden());
    EXPECT_EQ(bar->titleLabel()->text(), NSString("Settings"));
    EXPECT_EQ(root->view()->frame(), CGRectMake(0, 44, 320, 416));

    auto page = makeRef<LoggingPage>("Corvane");
    stack->pushViewControllerAnimated(page, true);
    window->runDisplayPass();
    EXPECT_EQ(stack->topViewController(), page.get());
    EXPECT_EQ(page->navigationController(), stack.get());
    EXPECT_EQ(page->view()->superview(), stack->view());
    EXPECT_EQ(root->view()->superview(), nullptr);
    EXPECT_FALSE(bar->backButton()->isHidden());
    EXPECT_EQ(bar->backButton()->currentTitle(), NSString("Settings"));
    EXPECT_EQ(bar->titleLabel()->text(), NSString("Corvane"));

    tapCentre(bar->backButton());
    window->runDisplayPass();
    EXPECT_EQ(stack->topViewController(), root.get());
    EXPECT_EQ(page->navigationController(), nullptr);
    EXPECT_TRUE(bar->backButton()->isHidden());
    // The arriving page hears it will appear before the leaving one hears it has gone.
    EXPECT_EQ(appearanceLog,
        (std::vector<std::string> { "appear Settings", "appear Corvane", "disappear Settings",
            "appear Settings", "disappear Corvane" }));
    // The root stays.
    EXPECT_EQ(stack->popViewControllerAnimated(false), nullptr);
}

TEST_F(Navigation, TitleViewAndRightItemTakeTheirPlacesInTheBar)
{
    auto page = makeRef<LoggingPage>("Corvane");
    auto logo = UIView::make(CGRectMake(0, 0, 100, 30));
    auto heart = UIButton::make(CGRectMake(0, 0, 40, 30));
    page->navigationItem()->setTitleView(logo);
    stack->pushViewControllerAnimated(page, false);
    // Items changed after the push still reach the bar.
    page->navigationItem()->setRightBarButtonItem(UIBarButtonItem::make(heart));
    window->runDisplayPass();

    UINavigationBar* bar = stack->navigationBar();
    EXPECT_EQ(bar->shownTitleView(), logo.get());
    EXPECT_TRUE(bar->titleLabel()->isHidden());
    EXPECT_EQ(logo->frame(), CGRectMake(110, 7, 100, 30));
    EXPECT_EQ(heart->frame(), CGRectMake(275, 7, 40, 30));
    int taps = 0;
    heart->addActionForControlEvents([&] { ++taps; }, UIControlEventTouchUpInside);
    tapCentre(heart.get());
    EXPECT_EQ(taps, 1);

    stack->popViewControllerAnimated(false);
    window->runDisplayPass();
    EXPECT_EQ(logo->superview(), nullptr);
    EXPECT_EQ(heart->superview(), nullptr);
}

TEST_F(Navigation, PresentedPageCoversTheWindowUntilDismissedFromEitherSide)
{
    auto sheet = makeRef<LoggingPage>("Sheet");
    bool completed = false;
    send(root.get(), sel::presentViewControllerAnimatedCompletion, sheet.get(), true,
        [&] { completed = true; });
    EXPECT_TRUE(completed);
    EXPECT_EQ(root->presentedViewController(), sheet.get());
    EXPECT_EQ(sheet->presentingViewController(), root.get());
    EXPECT_EQ(sheet->view()->superview(), window.get());
    EXPECT_EQ(sheet->view()->frame(), window->bounds());
    int before = sheet->referenceCount();

    // The sheet dismissing itself ends the presentation and its hold on it.
    send(sheet.get(), sel::dismissModalViewControllerAnimated, true);
    EXPECT_EQ(root->presentedViewController(), nullptr);
    EXPECT_EQ(sheet->view()->superview(), nullptr);
    EXPECT_EQ(sheet->referenceCount(), before - 1);

    send(root.get(), sel::presentModalViewControllerAnimated, sheet.get(), true);
    send(root.get(), sel::dismissModalViewControllerAnimated, true);
    EXPECT_EQ(sheet->view()->superview(), nullptr);
}

TEST_F(Navigation, PagesAreCreatedByClassWithAllocAndInit)
{
    RefPtr<NSObject> page = send(objc_getClass("NavigationTestPage"), sel::alloc);
    ASSERT_TRUE(isKindOfClass(page.get(), LoggingPage::staticClass()));
    EXPECT_EQ(send(page.get(), sel::init), page.get());
    // A subclass that registers no allocator of its own cannot be made as its parent's type.
    Class* sub = objc_allocateClass("NavigationTestSubPage", LoggingPage::staticClass());
    EXPECT_THROW(send(sub, sel::alloc), NSException);
}

TEST_F(Navigation, AlertShowsInTheKeyWindowAndGoesWhenItsButtonIsTapped)
{
    auto delegate = makeRef<AlertDelegate>();
    {
        auto alert = UIAlertView::make("Cannot send mail", "No account", delegate.get(), "Dismiss");
        alert->show();
    }
    ASSERT_EQ(UIAlertView::visibleAlerts().size(), 1U);
    UIAlertView* alert = UIAlertView::visibleAlerts()[0];
    EXPECT_EQ(alert->superview(), window.get());
    EXPECT_EQ(alert->title(), NSString("Cannot send mail"));
    EXPECT_EQ(alert->numberOfButtons(), 1);
    EXPECT_EQ(alert->buttonTitleAtIndex(0), NSString("Dismiss"));
    window->runDisplayPass();

    // Touches outside the box go nowhere beneath the alert.
    window->tap({ 5, 5 });
    EXPECT_EQ(UIAlertView::visibleAlerts().size(), 1U);
    tapCentre(alert->buttonAtIndex(0));
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
    EXPECT_EQ(delegate->clickedIndexes, (std::vector<int> { 0 }));
}

TEST_F(Navigation, AlertButtonsCountFromCancel)
{
    auto alert = UIAlertView::make("Title", "Message", nullptr, "Cancel", { "One", "Two" });
    EXPECT_EQ(alert->numberOfButtons(), 3);
    EXPECT_EQ(alert->buttonTitleAtIndex(2), NSString("Two"));
    EXPECT_TRUE(alert->buttonTitleAtIndex(3).isNil());
    auto noCancel = UIAlertView::make("Title", "Message", nullptr, NSString(), { "Only" });
    EXPECT_EQ(noCancel->buttonTitleAtIndex(0), NSString("Only"));
}

} // namespace
