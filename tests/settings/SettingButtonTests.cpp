#include "contracts/CorvaneContract.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/UIWindow.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneSettingButton.h"
#include "settings/PaneStyle.h"
#include "settings/PrefsHelper.h"
#include "tests/settings/PaneTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <filesystem>
#include <fstream>
#include <unistd.h>

namespace {

// A view that counts the layout requests a toggled button sends it.
class LayoutCounter final : public UIView {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("SettingButtonTestLayoutCounter", UIView::staticClass());
            addMethod<&LayoutCounter::countLayoutRequest>(created, sel::setNeedsLayout);
            return created;
        }();
        return cls;
    }
    LayoutCounter()
        : UIView(CGRectMake(0, 0, 320, 100), staticClass())
    {
    }
    void countLayoutRequest()
    {
        ++requests;
        setNeedsLayout();
    }
    int requests { 0 };
};

CGFloat optionWidth(const char* text)
{
    auto font = paneStyle::boldFont(17);
    return sizeWithFont(text, font.get()).width;
}

class SettingButton : public PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        window->makeKeyAndVisible();
        holder = makeRef<LayoutCounter>();
        window->addSubview(holder);
        button = makeButton(1);
    }

    RefPtr<CorvaneSettingButton> makeButton(int chosen)
    {
        auto made = CorvaneSettingButton::make(contract::gestureKey, "Flick up", "Slide up", chosen);
        made->setDelegate(holder.get());
        made->setFrame(CGRectMake(40, 20, send(made.get(), sel::width), 28));
        holder->addSubview(made);
        window->runDisplayPass();
        return made;
    }

    CGPoint centre() const { return { button->frame().midX(), button->frame().midY() }; }
    void press() { window->sendTouch(0, UITouchPhase::Began, centre()); }
    void release() { window->sendTouch(0, UITouchPhase::Ended, centre()); }
    void tap()
    {
        press();
        release();
    }
    bool overlayShown() const { return !button->overlay()->isHidden(); }

    RefPtr<UIWindow> window;
    RefPtr<LayoutCounter> holder;
    RefPtr<CorvaneSettingButton> button;
};

TEST_F(SettingButton, ShowsTheChosenOptionAndMeasuresItWithItsMargins)
{
    EXPECT_EQ(button->shownOption(), NSString("Flick up"));
    EXPECT_FLOAT_EQ(send(button.get(), sel::width), optionWidth("Flick up") + 8.0F);
    EXPECT_FALSE(overlayShown());
    EXPECT_TRUE(button->currentTitle().isNil()) << "the button paints its text itself";

    auto second = makeButton(2);
    EXPECT_EQ(second->shownOption(), NSString("Slide up"));
    EXPECT_FLOAT_EQ(send(second.get(), sel::width), optionWidth("Slide up") + 8.0F);
}

TEST_F(SettingButton, ATapTogglesStoresSavesAndAsksTheSentenceToReflow)
{
    ChangeNotificationCounter notifications;
    tap();
    EXPECT_EQ(button->shownOption(), NSString("Slide up"));
    EXPECT_FLOAT_EQ(send(button.get(), sel::width), optionWidth("Slide up") + 8.0F);
    EXPECT_EQ(readSettingsFile()->objectForKey(contract::gestureKey), Value(2));
    EXPECT_EQ(notifications.heard(), 1);
    EXPECT_EQ(holder->requests, 1);
    EXPECT_TRUE(button->needsDisplay());

    tap();
    EXPECT_EQ(button->shownOption(), NSString("Flick up"));
    EXPECT_EQ(readSettingsFile()->objectForKey(contract::gestureKey), Value(1));
    EXPECT_EQ(notifications.heard(), 2);
    EXPECT_EQ(holder->requests, 2);
}

// A save that fails leaves the button showing what the file holds, never a
// change that was not kept: here the file would grow past the 2,048 values
// its readers take, or, for an ordinary user, the folder cannot be written.
// The keyboard is still told, and re-reads the unchanged file.
TEST_F(SettingButton, ASaveThatFailsLeavesTheButtonShowingWhatTheFileHolds)
{
    auto full = NSMutableDictionary::dictionary();
    for (int key = 0; key < 1023; ++key)
        full->setObject(key, "k" + std::to_string(key));
    writeSettingsFile(*full);
    std::ifstream file(settingsFilePath(), std::ios::binary);
    std::string before(std::istreambuf_iterator<char>(file), {});
    ChangeNotificationCounter notifications;
    tap();
    EXPECT_EQ(button->shownOption(), NSString("Flick up"));
    std::ifstream after(settingsFilePath(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(after), {}), before);
    EXPECT_EQ(notifications.heard(), 1);
    PrefsHelper* store = send(PrefsHelper::staticClass(), sel::sharedHelper);
    EXPECT_TRUE(send(store, sel::preferenceObjectForKey, NSString(contract::gestureKey)).isNil());

    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as an ordinary user takes the superuser";
    std::filesystem::remove(settingsFilePath());
    PrefsHelper::resetProcessState();
    ASSERT_EQ(::chmod(DeviceRoot::path().c_str(), 0755), 0);
    int shown = ChildProcess::run([this] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            return 10;
        tap();
        return button->shownOption() == NSString("Flick up") ? 0 : 1;
    }).waitForExit();
    EXPECT_EQ(shown, 0) << "1: the button showed a change the file does not hold";
    EXPECT_FALSE(std::filesystem::exists(settingsFilePath()));
}

// The option is painted, not a title, so the button names it to screen readers
// (and to the simulator's tap-text), and the name follows each toggle.
TEST_F(SettingButton, NamesItsShownOptionAsAnAccessibleButton)
{
    EXPECT_TRUE(button->isAccessibilityElement());
    EXPECT_EQ(button->accessibilityLabel(), NSString("Flick up"));
    EXPECT_EQ(button->accessibilityTraits(), UIAccessibilityTraitButton);
    tap();
    EXPECT_EQ(button->accessibilityLabel(), NSString("Slide up"));
    tap();
    EXPECT_EQ(send(button.get(), sel::accessibilityLabel), NSString("Flick up"));
}

TEST_F(SettingButton, AChoiceOutsideTheTwoShowsTheSecondAndTheFirstTapChoosesOne)
{
    button->removeFromSuperview();
    button = makeButton(7);
    EXPECT_EQ(button->shownOption(), NSString("Slide up"));
    tap();
    EXPECT_EQ(button->currentIndex(), 1);
    EXPECT_EQ(readSettingsFile()->objectForKey(contract::gestureKey), Value(1));
}

TEST_F(SettingButton, TheHighlightFollowsTheFingerAndLingersAfterATap)
{
    press();
    EXPECT_TRUE(overlayShown());
    release();
    EXPECT_TRUE(overlayShown());
    NSRunLoop::main().advanceBy(0.099);
    EXPECT_TRUE(overlayShown());
    NSRunLoop::main().advanceBy(0.002);
    EXPECT_FALSE(overlayShown());
}

TEST_F(SettingButton, LeavingTheButtonHidesTheHighlightAndStoresNothing)
{
    ChangeNotificationCounter notifications;
    press();
    window->sendTouch(0, UITouchPhase::Moved, { centre().x, centre().y + 200 });
    EXPECT_FALSE(overlayShown()) << "hidden at once, without waiting";
    // Coming back does not show it again.
    window->sendTouch(0, UITouchPhase::Moved, centre());
    EXPECT_FALSE(overlayShown());
    window->sendTouch(0, UITouchPhase::Moved, { centre().x, centre().y + 200 });
    window->sendTouch(0, UITouchPhase::Ended, { centre().x, centre().y + 200 });
    EXPECT_FALSE(overlayShown());
    EXPECT_EQ(button->shownOption(), NSString("Flick up"));
    EXPECT_FALSE(readSettingsFile());
    EXPECT_EQ(notifications.heard(), 0);

    press();
    window->sendTouch(0, UITouchPhase::Cancelled, centre());
    EXPECT_FALSE(overlayShown());
    EXPECT_FALSE(readSettingsFile());

    press();
    window->sendTouch(0, UITouchPhase::Moved, { centre().x, centre().y + 200 });
    window->sendTouch(0, UITouchPhase::Moved, centre());
    release();
    EXPECT_TRUE(overlayShown()) << "a release inside shows it again";
    EXPECT_EQ(button->shownOption(), NSString("Slide up"));
    EXPECT_EQ(notifications.heard(), 1);
}

TEST_F(SettingButton, EachPendingHideRunsAPointOneSecondAfterItsOwnRelease)
{
    ChangeNotificationCounter notifications;
    tap();
    NSRunLoop::main().advanceBy(0.06);
    press();
    EXPECT_TRUE(overlayShown());
    NSRunLoop::main().advanceBy(0.05);
    EXPECT_FALSE(overlayShown()) << "the first tap's hide runs under the second press";
    release();
    EXPECT_TRUE(overlayShown());
    NSRunLoop::main().advanceBy(0.09);
    EXPECT_TRUE(overlayShown());
    NSRunLoop::main().advanceBy(0.02);
    EXPECT_FALSE(overlayShown());
    EXPECT_EQ(notifications.heard(), 2);
    EXPECT_EQ(readSettingsFile()->objectForKey(contract::gestureKey), Value(1));
}

TEST_F(SettingButton, APendingHideKeepsTheButtonAliveUntilItRuns)
{
    tap();
    WeakPtr<CorvaneSettingButton> watched(button.get());
    button->removeFromSuperview();
    button = nullptr;
    EXPECT_TRUE(watched);
    NSRunLoop::main().advanceBy(0.1);
    EXPECT_FALSE(watched);
}

TEST_F(SettingButton, TheOverlaySitsBehindTheTextWithItsInsets)
{
    button->setFrame(CGRectMake(40, 20, 120, 28));
    window->runDisplayPass();
    auto font = paneStyle::boldFont(17);
    CGSize text = sizeWithFont("Flick up", font.get());
    CGRect overlay = button->overlay()->frame();
    EXPECT_FLOAT_EQ(overlay.minX(), (120 - text.width) / 2 - 2.0F);
    EXPECT_FLOAT_EQ(overlay.minY(), (28 - text.height) / 2);
    EXPECT_FLOAT_EQ(overlay.width(), 116);
    EXPECT_FLOAT_EQ(overlay.height(), text.height);
    EXPECT_FLOAT_EQ(button->overlay()->layer().cornerRadius, 3.0F);
    EXPECT_EQ(button->overlay()->backgroundColor(), CGColor::white(0, 0.3F));
}

// The text and its underline in the pane's slate blue, each with a white copy
// one point below.
TEST_F(SettingButton, PaintsItsWordUnderlinedInTheSentenceColour)
{
    window->setBackgroundColor(CGColor::white(0.5F));
    window->runDisplayPass();
    CGImageRef image = renderView(window.get(), "setting-button.png");
    auto font = paneStyle::boldFont(17);
    CGSize text = sizeWithFont("Flick up", font.get());
    CGRect frame = button->frame();
    CGFloat x = frame.minX() + (frame.width() - text.width) / 2;
    CGFloat underlineTop = frame.minY() + (frame.height() - text.height) / 2 + text.height - 3.5F;
    auto pixelAt = [&](CGFloat px, CGFloat py) {
        return CGImageGetPixel(image, static_cast<std::size_t>(px * 2), static_cast<std::size_t>(py * 2));
    };
    CGFloat middle = x + text.width / 2;
    EXPECT_TRUE(pixelIsNear(pixelAt(middle, underlineTop + 0.75F), 76, 86, 106));
    EXPECT_TRUE(pixelIsNear(pixelAt(middle, underlineTop + 2.0F), 255, 255, 255)) << "the shadow below";
    EXPECT_TRUE(pixelIsNear(pixelAt(x - 2, underlineTop + 0.75F), 128, 128, 128))
        << "nothing beside the word";
}

} // namespace
