#include "ExtensionTestSupport.h"
#include "keyboard/DisplacedImplementations.h"
#include "keyboard/DisplayControl.h"
#include "keyboard/GestureInput.h"
#include "keyboard/KeyCapRendering.h"
#include "keyboard/KeyplaneAugmentation.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSUncaughtExceptionHandler.h"

#include <fstream>
#include <sstream>

namespace {

using namespace extension_test;

class ExtensionStartup : public ExtensionFixture {
protected:
    static void postSettingsChanged()
    {
        CFNotificationCenterPostNotification(
            CFNotificationCenterGetDarwinNotifyCenter(), settingsChangedNotification, nullptr, nullptr, true);
        NSRunLoop::main().runUntilIdle();
    }
};

template <typename Signature> Imp resolved(Class* cls, const Selector<Signature>& selector)
{
    return cls->lookupImplementation(selector.id());
}

template <typename Implementation> Imp erased(Implementation implementation)
{
    return reinterpret_cast<Imp>(implementation);
}

TEST_F(ExtensionStartup, FourteenPlatformMethodsReachTheReplacementsAndKeepThePlatformsOwn)
{
    Imp platformSetKeyplaneName = resolved(UIKeyboardLayoutStar::staticClass(), sel::setKeyplaneName);
    Imp platformEnabled = resolved(UIKeyboardCache::staticClass()->metaclass(), sel::enabled);
    startExtension();

    EXPECT_EQ(
        resolved(UIKeyboardImpl::staticClass(), sel::setShiftLocked), erased(setShiftLockedReplacement));
    EXPECT_EQ(
        resolved(UIKBKeyplaneView::staticClass(), sel::drawRect), erased(keyplaneViewDrawRectReplacement));
    EXPECT_EQ(resolved(UIKeyboardCache::staticClass()->metaclass(), sel::enabled),
        erased(keyboardCacheEnabledReplacement));
    EXPECT_EQ(resolved(UIKBTree::staticClass(), sel::displayString), erased(displayStringReplacement));
    EXPECT_EQ(resolved(UIKBTree::staticClass(), sel::variantDisplayString),
        erased(variantDisplayStringReplacement));
    EXPECT_EQ(
        resolved(UIKBKeyView::staticClass(), sel::didMoveToSuperview), erased(didMoveToSuperviewReplacement));
    EXPECT_EQ(resolved(UIKBKeyView::staticClass(), sel::drawRect), erased(keyViewDrawRectReplacement));
    EXPECT_EQ(resolved(UIKBKeyView::staticClass(), sel::cacheKey), erased(cacheKeyReplacement));
    Class* layoutStar = UIKeyboardLayoutStar::staticClass();
    EXPECT_EQ(resolved(layoutStar, sel::keyHitTest), erased(keyHitTestReplacement));
    EXPECT_EQ(resolved(layoutStar, sel::setKeyplaneName), erased(setKeyplaneNameReplacement));
    EXPECT_EQ(resolved(layoutStar, sel::touchUp), erased(touchUpReplacement));
    EXPECT_EQ(resolved(layoutStar, sel::touchCancelled), erased(touchCancelledReplacement));
    EXPECT_EQ(resolved(layoutStar, sel::touchDownWithKeyAtPoint), erased(touchDownWithKeyAtPointReplacement));
    EXPECT_EQ(resolved(layoutStar, sel::touchDragged), erased(touchDraggedReplacement));
    // The views' drawRect: replacements are their own; UIView keeps the platform's.
    EXPECT_NE(resolved(UIView::staticClass(), sel::drawRect), erased(keyViewDrawRectReplacement));

    EXPECT_EQ(erased(gDisplaced.setKeyplaneName), platformSetKeyplaneName);
    EXPECT_EQ(erased(gDisplaced.cacheEnabled), platformEnabled);
}

TEST_F(ExtensionStartup, SecondStartKeepsOneReplacementCallingThePlatform)
{
    startExtension();
    Imp platformTouchUp = erased(gDisplaced.touchUp);
    initializeExtension();
    EXPECT_EQ(erased(gDisplaced.touchUp), platformTouchUp);
    present();
    driver.tap(centerOf(key("q")));
    EXPECT_EQ(input->text, "q");
}

TEST_F(ExtensionStartup, ReplacementWithoutAPlatformMethodAnswersNothing)
{
    startExtension();
    present();
    gDisplaced.keyHitTest = nullptr;
    EXPECT_EQ(send(layout(), sel::keyHitTest, centerOf(key("q"))), nullptr);
}

TEST_F(ExtensionStartup, WithoutASettingsFileTheDefaultsApply)
{
    startExtension();
    EXPECT_TRUE(gSettingsLoaded);
    EXPECT_EQ(gTypeMode, 2);
    EXPECT_TRUE(gFlickGesture);
}

TEST_F(ExtensionStartup, SettingsFileValuesAreReadByTheirOneRule)
{
    startExtension(1, 2);
    EXPECT_EQ(gTypeMode, 1);
    EXPECT_FALSE(gFlickGesture);
    useSettings(3, 0);
    EXPECT_EQ(gTypeMode, 2);
    EXPECT_TRUE(gFlickGesture);
    useSettings(2, 1);
    EXPECT_EQ(gTypeMode, 2);
    EXPECT_TRUE(gFlickGesture);
}

TEST_F(ExtensionStartup, ValuesWithoutAnIntegerReadingAndUnreadableFilesReadAsAbsent)
{
    startExtension(1, 2);
    auto settings = NSMutableDictionary::dictionary();
    settings->setObject(NSMutableArray::arrayWithValues({ Value(1) }), "type");
    settings->setObject(NSMutableDictionary::dictionary(), "gesture");
    writeSettingsFile(*settings);
    loadSettings();
    EXPECT_EQ(gTypeMode, 2);
    EXPECT_TRUE(gFlickGesture);

    // Numbers written as text are read as the platform reads them.
    settings->setObject(NSString("1"), "type");
    settings->setObject(NSString("2"), "gesture");
    writeSettingsFile(*settings);
    loadSettings();
    EXPECT_EQ(gTypeMode, 1);
    EXPECT_FALSE(gFlickGesture);

    std::ofstream(deviceRoot->preparedPath(settingsFilePath)) << "not a property list";
    loadSettings();
    EXPECT_TRUE(gSettingsLoaded);
    EXPECT_EQ(gTypeMode, 2);
    EXPECT_TRUE(gFlickGesture);
}

TEST_F(ExtensionStartup, SettingsChangeReappliesTheKeyplaneOnScreen)
{
    startExtension(2);
    present();
    UIKBTree* q = key("q");
    EXPECT_EQ(property(q, "CorvaneKPProcessed"), "2");
    writeSettings(1, 0);
    postSettingsChanged();
    EXPECT_EQ(gTypeMode, 1);
    EXPECT_EQ(property(q, "CorvaneKPProcessed"), "1");
    EXPECT_EQ(property(q, "KBrepresentedStringAlt"), "Q");
    EXPECT_FALSE(gShowAlternateLabels);
    EXPECT_TRUE(layout()->keyplaneView()->needsDisplay());
}

TEST_F(ExtensionStartup, UnchangedSettingsTouchNoKeyButEndTheGesture)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    send(q, sel::properties)->setObject(NSString("marked"), "KBrepresentedStringAlt");
    driver.touchDown(centerOf(q));
    ASSERT_TRUE(gTrackedKey);
    postSettingsChanged();
    postSettingsChanged();
    EXPECT_EQ(property(q, "KBrepresentedStringAlt"), "marked");
    EXPECT_FALSE(gTrackedKey);
}

TEST_F(ExtensionStartup, GestureChangeTakesEffectAtTheNextTouch)
{
    startExtension();
    present();
    writeSettings(0, 2);
    postSettingsChanged();
    EXPECT_FALSE(gFlickGesture);
    CGRect frame = send(key("o"), sel::frame);
    CGPoint start { frame.midX(), frame.maxY() - 2 };
    driver.touchDown(start);
    driver.touchMove({ start.x, start.y - 6 });
    driver.touchUp();
    EXPECT_EQ(input->text, "9");
}

TEST_F(ExtensionStartup, SettingsChangeWithoutAKeyboardOnlyReadsTheSettings)
{
    startExtension();
    writeSettings(1, 2);
    postSettingsChanged();
    EXPECT_EQ(gTypeMode, 1);
    EXPECT_FALSE(gFlickGesture);
}

TEST_F(ExtensionStartup, UncaughtExceptionIsLoggedWithEveryCallStackEntry)
{
    startExtension();
    ASSERT_EQ(NSGetUncaughtExceptionHandler(), &logUncaughtException);
    NSException exception("NSInvalidArgumentException", "something went wrong");
    testing::internal::CaptureStderr();
    NSGetUncaughtExceptionHandler()(exception);
    std::istringstream log(testing::internal::GetCapturedStderr());
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    ASSERT_FALSE(exception.callStackSymbols().empty());
    ASSERT_EQ(lines.size(), 1 + exception.callStackSymbols().size());
    EXPECT_NE(
        lines[0].find("***** Corvane Uncaught Exception: something went wrong *****"), std::string::npos);
    for (std::size_t index = 0; index < exception.callStackSymbols().size(); ++index)
        EXPECT_NE(lines[index + 1].find("***** " + exception.callStackSymbols()[index]), std::string::npos);
}

} // namespace
