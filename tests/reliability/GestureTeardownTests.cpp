#include "tests/keyboard/ExtensionTestSupport.h"

namespace {

using namespace extension_test;

// A gesture in progress holds on to the key under the finger; whatever
// happens to the keyboard meanwhile, the rest of the gesture must not reach
// a freed key (the sanitizer build turns any such access into a failure).
class GestureTeardown : public ExtensionFixture {
protected:
    void SetUp() override
    {
        ExtensionFixture::SetUp();
        startExtension();
        present();
    }
    void startFlickOn(const char* represented)
    {
        start = centerOf(key(represented));
        driver.touchDown(start);
        driver.touchMove({ start.x, start.y - 20 });
    }
    CGPoint start {};
};

TEST_F(GestureTeardown, KeyboardDismissedMidGestureThenTouchEnds)
{
    startFlickOn("q");
    presenter->dismissKeyboard();
    NSRunLoop::main().runUntilIdle();
    driver.touchMove({ start.x, start.y - 60 });
    driver.touchUp();
    EXPECT_TRUE(input->text.empty());

    present();
    driver.tap(centerOf(key("w")));
    EXPECT_EQ(input->text, "w");
}

TEST_F(GestureTeardown, KeyboardReplacedMidGestureThenTouchEnds)
{
    startFlickOn("a");
    // A new text field brings up a new keyboard while the finger is down.
    present();
    NSRunLoop::main().runUntilIdle();
    driver.touchMove({ start.x, start.y - 60 });
    driver.touchUp();
    driver.tap(centerOf(key("s")));
    EXPECT_EQ(input->text.back(), 's');
}

TEST_F(GestureTeardown, KeyplaneSwitchedMidGestureThenTouchEnds)
{
    for (const char* plane : { "Numbers-And-Punctuation", "Capital-Letters", "Small-Letters" }) {
        startFlickOn("p");
        switchTo(plane);
        NSRunLoop::main().runUntilIdle();
        driver.touchMove({ start.x, start.y - 60 });
        driver.touchUp();
        switchTo("Small-Letters");
    }
    input->text.clear();
    driver.tap(centerOf(key("o")));
    EXPECT_EQ(input->text, "o");
}

} // namespace
