#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKBKeyplaneView.h"
#include "platform/keyboard/UIKeyboard.h"
#include "platform/keyboard/UIKeyboardCache.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/substrate/InjectionLoader.h"
#include "tests/support/InjectedKeyboardApplication.h"
#include "tests/support/TemporaryDeviceRoot.h"
#include "tests/support/TouchScreen.h"

#include <algorithm>
#include <filesystem>
#include <gtest/gtest.h>

// The deliverable as the injection framework sees it: the built
// Corvane.dylib and its filter in a device root, loaded by the platform's
// loader into a process that uses UIKit. This program does not link the
// extension; everything it checks comes through the loaded library.
namespace {

class CorvaneLoading : public testing::Test {
protected:
    void SetUp() override
    {
        for (Class* cls : { UIKBTree::staticClass(), UIKBKeyView::staticClass(),
                 UIKBKeyplaneView::staticClass(), UIKeyboardLayoutStar::staticClass(),
                 UIKeyboardImpl::staticClass(), UIKeyboard::staticClass(), UIKeyboardCache::staticClass() })
            ASSERT_TRUE(cls);
        std::string folder
            = deviceRoot.preparedPath("/Library/MobileSubstrate/DynamicLibraries/Corvane.dylib");
        std::filesystem::path target = std::filesystem::path(folder).parent_path();
        std::filesystem::copy_file(CORVANE_DYLIB, target / "Corvane.dylib");
        std::filesystem::copy_file(CORVANE_FILTER, target / "Corvane.plist");
    }

    TemporaryDeviceRoot deviceRoot;
};

TEST_F(CorvaneLoading, ProcessesUsingUIKitGetTheExtensionAndItsGesture)
{
    InjectedKeyboardApplication application;
    ASSERT_EQ(application.injection().loaded.size(), 1u);
    EXPECT_TRUE(application.injection().failed.empty());
    EXPECT_FALSE(send(UIKeyboardCache::staticClass(), sel::enabled));

    application.showKeyboard();
    // The top row's first key, "q".
    NSObject* q = send(TouchScreen::activeLayout(), sel::keyHitTest, CGPoint { 5, 20 });
    ASSERT_EQ(send(q, sel::representedString).utf8(), "q");
    CGRect frame = send(q, sel::frame);
    TouchScreen driver;
    driver.touchDown({ frame.midX(), frame.midY() });
    driver.touchMove({ frame.midX(), frame.midY() - 30 });
    driver.touchUp();
    EXPECT_EQ(application.typedText(), "1");
}

TEST_F(CorvaneLoading, ProcessesWithoutUIKitAreLeftAlone)
{
    InjectionReport report = loadInjectedLibraries({ "com.example.daemon", "", {} });
    EXPECT_TRUE(report.loaded.empty());
    EXPECT_TRUE(send(UIKeyboardCache::staticClass(), sel::enabled));
}

} // namespace
