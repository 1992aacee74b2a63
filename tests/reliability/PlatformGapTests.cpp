#include "keyboard/MethodReplacements.h"
#include "platform/substrate/Substrate.h"
#include "tests/keyboard/ExtensionTestSupport.h"

#include <cctype>
#include <string>
#include <vector>

namespace {

using namespace extension_test;

// Puts the platform's own method back and forgets it, as if the extension
// had found nothing to replace there: the replacement is gone and the
// displaced implementation is nothing.
void withdraw(const MethodReplacement& replacement)
{
    Imp replaced = nullptr;
    hookMessage(replacement.methodTable(), replacement.selector(), replacement.displaced(), &replaced);
    replacement.forgetDisplaced();
}

// A test name for each replaced method: its class and selector, letters only.
std::string nameOf(const MethodReplacement& replacement)
{
    std::string name = std::string(replacement.className) + "_";
    for (char letter : selectorName(replacement.selector())) {
        if (std::isalnum(static_cast<unsigned char>(letter)))
            name += letter;
    }
    return name;
}

} // namespace

// The parameter as gtest shows it: by name, not by address.
void PrintTo(const MethodReplacement* replacement, std::ostream* stream)
{
    *stream << nameOf(*replacement);
}

namespace {

class PlatformGap : public ExtensionFixture, public testing::WithParamInterface<const MethodReplacement*> { };

TEST_P(PlatformGap, KeyboardStillTypesAndSwitchesKeyplanes)
{
    startExtension();
    withdraw(*GetParam());
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

std::vector<const MethodReplacement*> eachReplacement()
{
    std::vector<const MethodReplacement*> replacements;
    for (const MethodReplacement& replacement : methodReplacements)
        replacements.push_back(&replacement);
    return replacements;
}

INSTANTIATE_TEST_SUITE_P(EachOfTheFourteen, PlatformGap, testing::ValuesIn(eachReplacement()),
    [](const testing::TestParamInfo<const MethodReplacement*>& tested) { return nameOf(*tested.param); });

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
    for (const MethodReplacement& replacement : methodReplacements) {
        if (replacement.selector() == (endsByCancel() ? sel::touchCancelled.id() : sel::touchUp.id()))
            withdraw(replacement);
    }
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
