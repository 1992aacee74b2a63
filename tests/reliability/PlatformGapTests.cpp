#include "keyboard/DisplacedImplementations.h"
#include "platform/substrate/Substrate.h"
#include "tests/keyboard/ExtensionTestSupport.h"

#include <functional>
#include <string>

namespace {

using namespace extension_test;

// Puts the platform's own method back and forgets it, as if the extension
// had found nothing to replace there: the replacement is gone and the
// displaced implementation is nothing.
template <typename Signature>
void withdraw(
    Class* cls, const Selector<Signature>& selector, typename Selector<Signature>::Implementation& slot)
{
    MSHookMessageEx(cls, selector, slot, nullptr);
    slot = nullptr;
}

Class* named(const char* name)
{
    return objc_getClass(name);
}

struct MissingReplacement {
    const char* name;
    std::function<void()> withdrawIt;
};

const std::vector<MissingReplacement>& missingReplacements()
{
    auto& d = gDisplaced;
    static const std::vector<MissingReplacement> cases {
        { "SetShiftLocked",
            [&] { withdraw(named("UIKeyboardImpl"), sel::setShiftLocked, d.setShiftLocked); } },
        { "KeyplaneViewDrawRect",
            [&] { withdraw(named("UIKBKeyplaneView"), sel::drawRect, d.keyplaneViewDrawRect); } },
        { "CacheEnabled",
            [&] { withdraw(object_getClass(named("UIKeyboardCache")), sel::enabled, d.cacheEnabled); } },
        { "DisplayString", [&] { withdraw(named("UIKBTree"), sel::displayString, d.displayString); } },
        { "VariantDisplayString",
            [&] { withdraw(named("UIKBTree"), sel::variantDisplayString, d.variantDisplayString); } },
        { "DidMoveToSuperview",
            [&] { withdraw(named("UIKBKeyView"), sel::didMoveToSuperview, d.didMoveToSuperview); } },
        { "KeyViewDrawRect", [&] { withdraw(named("UIKBKeyView"), sel::drawRect, d.keyViewDrawRect); } },
        { "CacheKey", [&] { withdraw(named("UIKBKeyView"), sel::cacheKey, d.cacheKey); } },
        { "KeyHitTest", [&] { withdraw(named("UIKeyboardLayoutStar"), sel::keyHitTest, d.keyHitTest); } },
        { "SetKeyplaneName",
            [&] { withdraw(named("UIKeyboardLayoutStar"), sel::setKeyplaneName, d.setKeyplaneName); } },
        { "TouchUp", [&] { withdraw(named("UIKeyboardLayoutStar"), sel::touchUp, d.touchUp); } },
        { "TouchCancelled",
            [&] { withdraw(named("UIKeyboardLayoutStar"), sel::touchCancelled, d.touchCancelled); } },
        { "TouchDownWithKeyAtPoint",
            [&] {
                withdraw(
                    named("UIKeyboardLayoutStar"), sel::touchDownWithKeyAtPoint, d.touchDownWithKeyAtPoint);
            } },
        { "TouchDragged",
            [&] { withdraw(named("UIKeyboardLayoutStar"), sel::touchDragged, d.touchDragged); } },
    };
    return cases;
}

class PlatformGap : public ExtensionFixture, public testing::WithParamInterface<MissingReplacement> { };

TEST_P(PlatformGap, KeyboardStillTypesAndSwitchesKeyplanes)
{
    startExtension();
    GetParam().withdrawIt();
    present();
    driver.tap(centerOf(key("q")));
    EXPECT_EQ(input->text, "q");
    switchTo("Numbers-And-Punctuation");
    switchTo("Small-Letters");
    driver.touchDown(centerOf(key("w")));
    driver.touchMove({ centerOf(key("w")).x, centerOf(key("w")).y - 40 });
    driver.touchUp();
    std::size_t typed = input->text.size();
    driver.tap(centerOf(key("e")));
    EXPECT_EQ(input->text.size(), typed + 1);
    EXPECT_EQ(input->text.back(), 'e');
}

INSTANTIATE_TEST_SUITE_P(EachOfTheFourteen, PlatformGap, testing::ValuesIn(missingReplacements()),
    [](const testing::TestParamInfo<MissingReplacement>& tested) { return std::string(tested.param.name); });

// Without the replacement that sees a gesture end, the previous gesture's key
// stays tracked; the next touch must still act on the key under the finger.
class UnseenGestureEnd : public ExtensionFixture, public testing::WithParamInterface<bool> {
protected:
    bool endsByCancel() const { return GetParam(); }
    void flickOn(const char* represented)
    {
        CGPoint start = centerOf(key(represented));
        driver.touchDown(start);
        driver.touchMove({ start.x, start.y - 40 });
        if (endsByCancel())
            driver.touchCancel();
        else
            driver.touchUp();
    }
};

TEST_P(UnseenGestureEnd, NextTouchActsOnTheKeyUnderTheFinger)
{
    startExtension();
    auto& displaced = gDisplaced;
    if (endsByCancel())
        withdraw(named("UIKeyboardLayoutStar"), sel::touchCancelled, displaced.touchCancelled);
    else
        withdraw(named("UIKeyboardLayoutStar"), sel::touchUp, displaced.touchUp);
    present();
    // Each next key lies in the flick band of the one before; the last tap is
    // on the previous gesture's own key, which it must still press.
    struct Gesture {
        const char* key;
        // What a flick there types; nothing for a tap.
        const char* alternate;
    };
    const Gesture gestures[] = { { "w", "2" }, { "e", nullptr }, { "r", "4" }, { "t", "5" }, { "r", nullptr },
        { "y", "6" }, { "y", nullptr } };
    std::string expected;
    for (const Gesture& gesture : gestures) {
        if (gesture.alternate) {
            flickOn(gesture.key);
            expected += endsByCancel() ? "" : gesture.alternate;
        } else {
            driver.tap(centerOf(key(gesture.key)));
            expected += gesture.key;
        }
        EXPECT_EQ(input->text, expected)
            << "after a " << (gesture.alternate ? "flick" : "tap") << " on " << gesture.key;
    }
}

INSTANTIATE_TEST_SUITE_P(TouchUpOrTouchCancelledMissing, UnseenGestureEnd, testing::Bool(),
    [](const testing::TestParamInfo<bool>& tested) {
        return std::string(tested.param ? "TouchCancelledMissing" : "TouchUpMissing");
    });

TEST(PlatformGapHook, MissingClassOrMethodReplacesNothingAndLeavesNoPrevious)
{
    auto replacement = [](NSObject*, CGPoint) -> NSObject* { return nullptr; };
    decltype(sel::keyHitTest)::Implementation previous = replacement;
    EXPECT_FALSE(MSHookMessageEx(
        objc_getClass("UIKeyboardLayoutStarThatIsNotThere"), sel::keyHitTest, +replacement, &previous));
    EXPECT_EQ(previous, nullptr);

    previous = replacement;
    EXPECT_FALSE(MSHookMessageEx(NSObject::staticClass(), sel::keyHitTest, +replacement, &previous));
    EXPECT_EQ(previous, nullptr);
    EXPECT_FALSE(class_respondsToSelector(NSObject::staticClass(), sel::keyHitTest.id()));
}

} // namespace
