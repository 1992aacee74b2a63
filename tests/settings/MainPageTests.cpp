#include "contracts/CorvaneContract.h"
#include "platform/foundation/NSNotificationCenter.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/preferences/SettingsHost.h"
#include "platform/social/MFMailComposeViewController.h"
#include "platform/social/TWTweetComposeViewController.h"
#include "platform/substrate/Substrate.h"
#include "platform/uikit/UIAlertView.h"
#include "platform/uikit/UIKeyboardNotifications.h"
#include "settings/CorvanePrefController.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneProfileController.h"
#include "settings/CorvaneSettingButton.h"
#include "settings/CorvaneTableViewCellSetting.h"
#include "settings/CorvaneTableViewCellTextField.h"
#include "settings/CorvaneTableViewCellTransparentSubtitle.h"
#include "settings/CreditFooterLabel.h"
#include "settings/PaneStyle.h"
#include "tests/settings/MainPageFixture.h"

namespace {

using MainPage = MainPageFixture;

TEST_F(MainPage, OpensFromTheSettingsListAsTheCorvanePage)
{
    EXPECT_EQ(host->topPage(), page.get());
    EXPECT_EQ(send(page.get(), sel::title), NSString("Corvane"));
    EXPECT_EQ(send(page.get(), sel::navigationTitle), NSString("Corvane"));
    EXPECT_EQ(send(page.get(), sel::preferences), nullptr);
    EXPECT_EQ(send(page.get(), sel::view), table);
    EXPECT_EQ(send(page.get(), sel::table), table);
    EXPECT_EQ(send(page.get(), sel::contentSize), CGSizeMake(320, 416));
    EXPECT_EQ(table->style(), UITableViewStyleGrouped);
    EXPECT_EQ(table->dataSource(), page.get());
    EXPECT_EQ(table->delegate(), page.get());

    // Before the page stack fits it, the table resizes with its container
    // and keeps its distance to the bottom.
    RefPtr<NSObject> fresh = send(CorvanePrefController::staticClass(), sel::alloc);
    ASSERT_TRUE(send(fresh.get(), sel::initForContentSize, CGSizeMake(300, 200)));
    UITableView* freshTable = send(fresh.get(), sel::table);
    EXPECT_EQ(freshTable->frame(), CGRectMake(0, 0, 300, 200));
    EXPECT_EQ(freshTable->autoresizingMask(), 26u);
    EXPECT_EQ(send(fresh.get(), sel::contentSize), CGSizeMake(300, 200));
}

TEST_F(MainPage, HasFiveOneRowSectionsOfTheirOwnHeightsAndNoHeaders)
{
    ASSERT_EQ(table->numberOfSections(), 5);
    const CGFloat heights[] = { 88, 44, 55, 44, 44 };
    for (int section = 0; section < 5; ++section) {
        EXPECT_EQ(table->numberOfRowsInSection(section), 1);
        EXPECT_FLOAT_EQ(table->rectForRowAtIndexPath({ section, 0 }).height(), heights[section]);
        EXPECT_TRUE(send(page.get(), sel::tableViewTitleForHeaderInSection, table, section).isNil());
    }
    EXPECT_NE(runtimeCast<CorvaneTableViewCellTransparentSubtitle>(row(0)), nullptr);
    EXPECT_NE(runtimeCast<CorvaneTableViewCellTextField>(row(1)), nullptr);
    EXPECT_NE(runtimeCast<CorvaneTableViewCellSetting>(row(2)), nullptr);
    const char* identifiers[] = { "TitleCell", "TextFieldCell", "SettingCell", "Cell", "Cell" };
    for (int section = 0; section < 5; ++section)
        EXPECT_EQ(row(section)->reuseIdentifier(), NSString(identifiers[section]));
    EXPECT_EQ(object_getClass(row(3)), UITableViewCell::staticClass());
    EXPECT_EQ(object_getClass(row(4)), UITableViewCell::staticClass());
}

TEST_F(MainPage, TitledRowsShowTheirTextsImagesAndAccessories)
{
    EXPECT_EQ(row(0)->textLabel()->text(), NSString("Corvane"));
    EXPECT_TRUE(isBundleImage(row(0)->imageView()->image(), "Corvane.png"));
    EXPECT_TRUE(isBundleImage(row(0)->imageView()->highlightedImage(), "CorvaneHighlighted.png"));
    EXPECT_EQ(row(0)->accessoryType(), UITableViewCellAccessoryNone);

    EXPECT_EQ(row(3)->textLabel()->text(), NSString("The Creators"));
    EXPECT_TRUE(isBundleImage(row(3)->imageView()->image(), "TheCreators.png"));
    EXPECT_TRUE(isBundleImage(row(3)->imageView()->highlightedImage(), "TheCreatorsHighlighted.png"));
    EXPECT_EQ(row(3)->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);

    EXPECT_EQ(row(4)->textLabel()->text(), NSString("Quillfen Support"));
    EXPECT_TRUE(isBundleImage(row(4)->imageView()->image(), "QuillfenSupport.png"));
    EXPECT_TRUE(isBundleImage(row(4)->imageView()->highlightedImage(), "QuillfenSupportHighlighted.png"));
    EXPECT_EQ(row(4)->accessoryType(), UITableViewCellAccessoryDisclosureIndicator);

    // While pressed, the row shows its highlighted image.
    CGPoint centre = rowTapPoint(3);
    host->window()->sendTouch(0, UITouchPhase::Began, centre);
    EXPECT_TRUE(row(3)->imageView()->isHighlighted());
    host->window()->sendTouch(0, UITouchPhase::Cancelled, centre);
}

TEST_F(MainPage, ShowsTheLogoTheHeartAndTheCredit)
{
    UINavigationItem* item = page->navigationItem();
    auto* logo = runtimeCast<UIImageView>(item->titleView());
    ASSERT_NE(logo, nullptr);
    EXPECT_TRUE(isBundleImage(logo->image(), "GroupLogo.png"));
    EXPECT_EQ(host->rootController()->navigationBar()->shownTitleView(), logo);

    ASSERT_NE(item->rightBarButtonItem(), nullptr);
    auto* heart = runtimeCast<UIButton>(item->rightBarButtonItem()->customView());
    ASSERT_NE(heart, nullptr);
    EXPECT_TRUE(isBundleImage(heart->imageForState(UIControlStateNormal), "Heart.png"));
    EXPECT_EQ(heart->frame().size, CGSizeMake(22 + 12, 20));

    auto* footer = runtimeCast<UILabel>(table->tableFooterView());
    ASSERT_NE(footer, nullptr);
    EXPECT_EQ(footer->text(), NSString(creditFooterText));
    EXPECT_EQ(footer->font()->fontName(), NSString("HelveticaNeue"));
    EXPECT_FLOAT_EQ(footer->font()->pointSize(), 15);
    EXPECT_FLOAT_EQ(footer->frame().height(), footer->font()->lineHeight());
    EXPECT_FLOAT_EQ(footer->frame().width(), table->frame().width());
    EXPECT_EQ(footer->autoresizingMask(), unsigned(UIViewAutoresizingFlexibleWidth));
    EXPECT_EQ(footer->textAlignment(), UITextAlignmentCenter);
    EXPECT_EQ(footer->textColor()->CGColor(), paneStyle::textColor()->CGColor());
    EXPECT_EQ(footer->shadowColor()->CGColor(), CGColor::white(1));
    EXPECT_EQ(footer->shadowOffset(), CGSizeMake(0, 1));
}

TEST_F(MainPage, TheFirstThreeRowsOnlyUnselect)
{
    for (int section = 0; section < 3; ++section) {
        tapRow(section);
        EXPECT_EQ(host->topPage(), page.get());
        EXPECT_FALSE(table->indexPathForSelectedRow().has_value());
    }
    EXPECT_TRUE(UIAlertView::visibleAlerts().empty());
    EXPECT_EQ(page->profileController(), nullptr);
}

TEST_F(MainPage, TheCreatorsRowPushesAFreshPageEachTimeAndLetsTheOldOneGo)
{
    tapRow(3);
    auto* first = runtimeCast<CorvaneProfileController>(host->topPage());
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(page->profileController(), first);
    EXPECT_EQ(send(first, sel::rootController), page.get());
    EXPECT_EQ(send(first, sel::contentSize), send(page.get(), sel::contentSize));
    EXPECT_EQ(host->rootController()->navigationBar()->topItem()->title(), NSString("Creators"));
    EXPECT_FALSE(table->indexPathForSelectedRow().has_value());
    WeakPtr<CorvaneProfileController> firstPage(first);

    ASSERT_TRUE(host->back());
    EXPECT_EQ(host->topPage(), page.get());
    EXPECT_TRUE(firstPage) << "the main page still holds it";

    tapRow(3);
    auto* second = runtimeCast<CorvaneProfileController>(host->topPage());
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, firstPage.get());
    EXPECT_FALSE(firstPage) << "released when the second was made";
    EXPECT_EQ(page->profileController(), second);
}

TEST_F(MainPage, TheKeyboardInsetsTheTableAndScrollsTheFieldIntoView)
{
    tapTestField();
    ASSERT_TRUE(keyboard->isVisible());
    CGFloat height = keyboard->frame().height();
    ASSERT_GT(height, 0);
    UIEdgeInsets expected { 0, 0, height, 0 };
    EXPECT_EQ(table->contentInset(), expected);
    EXPECT_EQ(table->scrollIndicatorInsets(), expected);
    EXPECT_EQ(table->contentOffset(), CGPointMake(0, 80));

    // Return lets the keyboard go a moment later.
    ASSERT_TRUE(keyboard->tapKeyNamed("Return-Key"));
    NSRunLoop::main().advanceBy(0.1);
    ASSERT_FALSE(keyboard->isVisible());
    EXPECT_EQ(table->contentInset(), UIEdgeInsets {});
    EXPECT_EQ(table->scrollIndicatorInsets(), UIEdgeInsets {});
    EXPECT_EQ(table->contentOffset(), CGPointMake(0, 80)) << "the offset stays where it was";
}

TEST_F(MainPage, LeavingStopsTheKeyboardObservationAndComingBackRestoresItOnce)
{
    tapTestField();
    ASSERT_TRUE(keyboard->isVisible());
    ASSERT_TRUE(keyboard->tapKeyNamed("Return-Key"));
    NSRunLoop::main().advanceBy(0.1);
    tapTestField();
    ASSERT_TRUE(keyboard->isVisible());

    tapRow(3);
    EXPECT_FALSE(keyboard->isVisible()) << "leaving the page dismisses the keyboard";
    postKeyboardNotification(
        UIKeyboardDidShowNotification, CGRectMake(0, 480, 320, 216), CGRectMake(0, 264, 320, 216));
    EXPECT_EQ(table->contentInset(), UIEdgeInsets {}) << "no observation while away";

    ASSERT_TRUE(host->back());
    // Counted through a replacement of the handler: once per notification.
    static int shown;
    shown = 0;
    using Handler = void (*)(NSObject*, NSNotification*);
    static Handler previous = nullptr;
    MSHookMessageEx(
        CorvanePrefController::staticClass(), sel::keyboardWasShown,
        +[](NSObject* self, NSNotification* notification) {
            ++shown;
            callImplementation(previous, self, notification);
        },
        &previous);
    tapTestField();
    ASSERT_TRUE(keyboard->isVisible());
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(table->contentInset(), (UIEdgeInsets { 0, 0, keyboard->frame().height(), 0 }));
}

TEST_F(MainPage, TheSentenceRowWritesTheSettingsAndTellsTheKeyboard)
{
    ChangeNotificationCounter notifications;
    auto* sentence = runtimeCast<CorvaneTableViewCellSetting>(row(2));
    ASSERT_NE(sentence, nullptr);
    CorvaneSettingButton* gesture = sentence->gestureButton();
    CGRect area = gesture->convertRectToView(gesture->bounds(), host->window());
    host->window()->tap({ area.midX(), area.midY() });
    host->window()->runDisplayPass();
    EXPECT_EQ(gesture->shownOption(), NSString("Slide up"));
    EXPECT_EQ(readSettingsFile()->objectForKey(contract::gestureKey), Value(2));
    EXPECT_EQ(notifications.heard(), 1);
    EXPECT_FALSE(table->indexPathForSelectedRow().has_value());
}

} // namespace
