#include "ExtensionTestSupport.h"
#include "keyboard/MethodReplacements.h"
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

// What a message to the method's class now reaches.
Imp resolved(const MethodReplacement& replacement)
{
    return replacement.methodTable()->lookupImplementation(replacement.selector());
}

TEST_F(ExtensionStartup, FourteenPlatformMethodsReachTheReplacementsAndKeepThePlatformsOwn)
{
    std::vector<Imp> platformMethods;
    for (const MethodReplacement& replacement : methodReplacements)
        platformMethods.push_back(resolved(replacement));
    startExtension();

    ASSERT_EQ(std::size(methodReplacements), 14u);
    for (std::size_t index = 0; index < std::size(methodReplacements); ++index) {
        const MethodReplacement& replacement = methodReplacements[index];
        std::string method
            = std::string(replacement.className) + " " + std::string(selectorName(replacement.selector()));
        EXPECT_EQ(resolved(replacement), replacement.replacement()) << method;
        EXPECT_EQ(replacement.displaced(), platformMethods[index]) << method;
        EXPECT_TRUE(replacement.displaced()) << method;
    }
    // The class operation is replaced on the metaclass, and the views'
    // drawRect: replacements are their own; UIView keeps the platform's.
    EXPECT_EQ(UIKeyboardCache::staticClass()->metaclass()->lookupImplementation(sel::enabled.id()),
        reinterpret_cast<Imp>(keyboardCacheEnabledReplacement));
    EXPECT_NE(UIView::staticClass()->lookupImplementation(sel::drawRect.id()),
        reinterpret_cast<Imp>(keyViewDrawRectReplacement));
}

TEST_F(ExtensionStartup, SecondStartKeepsOneReplacementCallingThePlatform)
{
    startExtension();
    auto platformTouchUp = gDisplaced<touchUpReplacement>;
    initializeExtension();
    EXPECT_EQ(gDisplaced<touchUpReplacement>, platformTouchUp);
    present();
    driver.tap(centerOf(key("q")));
    EXPECT_EQ(input->text, "q");
}

TEST_F(ExtensionStartup, ReplacementWithoutAPlatformMethodAnswersNothing)
{
    startExtension();
    present();
    gDisplaced<keyHitTestReplacement> = nullptr;
    EXPECT_EQ(send(layout(), sel::keyHitTest, centerOf(key("q"))), nullptr);
}

TEST_F(ExtensionStartup, WithoutASettingsFileTheDefaultsApply)
{
    startExtension();
    EXPECT_TRUE(extension.gSettingsLoaded);
    EXPECT_EQ(loadedSettings(), alternateKeyFlickUp);
}

TEST_F(ExtensionStartup, SettingsFileValuesAreReadByTheirOneRule)
{
    startExtension(1, 2);
    EXPECT_EQ(loadedSettings(), shiftedKeySlideUp);
    useSettings(3, 0);
    EXPECT_EQ(loadedSettings(), alternateKeyFlickUp);
    useSettings(2, 1);
    EXPECT_EQ(loadedSettings(), alternateKeyFlickUp);
}

// A row of the shared table that the keyboard did not load, or loaded into
// another row's place, would show here.
TEST_F(ExtensionStartup, EverySettingOfTheSharedTableIsLoadedOnItsOwn)
{
    startExtension();
    for (const contract::Setting& setting : contract::settings) {
        for (int stored : { setting.exactChoice, setting.defaultChoice(), 7 }) {
            SCOPED_TRACE(std::string(setting.key) + "=" + std::to_string(stored));
            auto settings = NSMutableDictionary::dictionary();
            settings->setObject(stored, setting.key);
            writeSettingsFile(*settings);
            loadSettings();
            for (const contract::Setting& row : contract::settings)
                EXPECT_EQ(loadedChoice(row), &row == &setting ? row.readChoice(stored) : row.defaultChoice())
                    << row.key;
        }
    }
}

TEST_F(ExtensionStartup, ValuesWithoutAnIntegerReadingAndUnreadableFilesReadAsAbsent)
{
    startExtension(1, 2);
    auto settings = NSMutableDictionary::dictionary();
    settings->setObject(NSMutableArray::arrayWithValues({ Value(1) }), contract::typeKey);
    settings->setObject(NSMutableDictionary::dictionary(), contract::gestureKey);
    writeSettingsFile(*settings);
    loadSettings();
    EXPECT_EQ(loadedSettings(), alternateKeyFlickUp);

    // Numbers written as text are read as the platform reads them.
    settings->setObject(NSString("1"), contract::typeKey);
    settings->setObject(NSString("2"), contract::gestureKey);
    writeSettingsFile(*settings);
    loadSettings();
    EXPECT_EQ(loadedSettings(), shiftedKeySlideUp);

    std::ofstream(deviceRoot->preparedPath(settingsFilePath)) << "not a property list";
    loadSettings();
    EXPECT_TRUE(extension.gSettingsLoaded);
    EXPECT_EQ(loadedSettings(), alternateKeyFlickUp);
}

TEST_F(ExtensionStartup, SettingsChangeReappliesTheKeyplaneOnScreen)
{
    startExtension(2);
    present();
    UIKBTree* q = key("q");
    EXPECT_EQ(property(q, "CorvaneKPProcessed"), "2");
    writeSettings(1, 0);
    postSettingsChanged();
    EXPECT_EQ(loadedSettings().typeMode, TypeMode::ShiftedKey);
    EXPECT_EQ(property(q, "CorvaneKPProcessed"), "1");
    EXPECT_EQ(property(q, contract::alternateEntry), "Q");
    EXPECT_FALSE(keyplaneFlags().showAlternateLabels);
    EXPECT_TRUE(layout()->keyplaneView()->needsDisplay());
}

TEST_F(ExtensionStartup, UnchangedSettingsTouchNoKeyButEndTheGesture)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    send(q, sel::properties)->setObject(NSString("marked"), contract::alternateEntry);
    driver.touchDown(centerOf(q));
    ASSERT_TRUE(trackedKey());
    postSettingsChanged();
    postSettingsChanged();
    EXPECT_EQ(property(q, contract::alternateEntry), "marked");
    EXPECT_FALSE(trackedKey());
}

TEST_F(ExtensionStartup, TypeChangeDuringAFlickLeavesTheKeyTypingItsOwnString)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    CGPoint start = centerOf(q);
    driver.touchDown(start);
    driver.touchMove({ start.x, start.y - 30 });
    ASSERT_EQ(popupString(), "1");
    writeSettings(1, 0);
    postSettingsChanged();
    // The key shows and keeps its own string: the change ended the gesture.
    EXPECT_EQ(popupString(), "q");
    EXPECT_EQ(property(q, contract::ownStringEntry), "q");
    EXPECT_EQ(property(q, contract::alternateEntry), "Q");
    driver.touchUp();
    EXPECT_EQ(input->text, "q");

    // Back in "Alternate key" mode the key is what it was.
    writeSettings(2, 0);
    postSettingsChanged();
    driver.tap(start);
    driver.touchDown(start);
    driver.touchMove({ start.x, start.y - 30 });
    driver.touchUp();
    EXPECT_EQ(input->text, "qq1");
}

TEST_F(ExtensionStartup, GestureChangeTakesEffectAtTheNextTouch)
{
    startExtension();
    present();
    writeSettings(0, 2);
    postSettingsChanged();
    EXPECT_EQ(loadedSettings().gesture, Gesture::SlideUp);
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
    EXPECT_EQ(loadedSettings(), shiftedKeySlideUp);
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
