#include "KeyboardTestSupport.h"
#include "platform/keyboard/UIKeyboardCache.h"
#include "platform/substrate/Substrate.h"

#include <string>
#include <vector>

namespace keyboard_test {
namespace {

// What the replacements below saw; reset by each test.
struct Seen {
    std::vector<std::string> keyplaneNames;
    std::vector<double> longPressDelays;
    int popupDepartures { 0 };
    int hitTests { 0 };
    NSObject* forcedKey { nullptr };
};
Seen seen;

Selector<NSObject*(CGPoint)>::Implementation previousHitTest;
Selector<NSString()>::Implementation previousRepresentedString;
Selector<void(NSString)>::Implementation previousSetKeyplaneName;
Selector<void(double)>::Implementation previousLongPress;
Selector<void()>::Implementation previousDidMove;
Selector<void(bool)>::Implementation previousSetShiftLocked;

NSObject* forcedHitTest(NSObject* self, CGPoint point)
{
    ++seen.hitTests;
    return seen.forcedKey ? seen.forcedKey : callImplementation(previousHitTest, self, point);
}

NSString shoutedRepresentedString(NSObject* self)
{
    return callImplementation(previousRepresentedString, self).uppercaseString();
}

void recordingSetKeyplaneName(NSObject* self, NSString name)
{
    seen.keyplaneNames.push_back(name.utf8());
    callImplementation(previousSetKeyplaneName, self, name);
}

void recordingLongPress(NSObject* self, double delay)
{
    seen.longPressDelays.push_back(delay);
    callImplementation(previousLongPress, self, delay);
}

void recordingDidMove(NSObject* self)
{
    callImplementation(previousDidMove, self);
    if (!send(self, sel::superview))
        ++seen.popupDepartures;
}

void ignoringSetShiftLocked(NSObject*, bool) { }

// An upward gesture as an extension would build it on the platform: once the
// finger is 25 points above where it went down, the pop-up's key gets another
// string; drags above the keyboard are kept from the platform; the key gets
// its own string back when the pop-up leaves the window.
CGPoint gestureStart;
Selector<void(NSObject*, CGPoint)>::Implementation previousTouchDown;
Selector<void(NSObject*)>::Implementation previousTouchDragged;
Selector<void()>::Implementation previousPopupDidMove;

void gestureTouchDown(NSObject* self, NSObject* key, CGPoint point)
{
    callImplementation(previousTouchDown, self, key, point);
    gestureStart = point;
}

NSObject* findKeyPopupView()
{
    NSObject* window = send(send(UIKeyboard::staticClass(), sel::activeKeyboard), sel::window);
    NSMutableArray* subviews = send(window, sel::subviews);
    for (const Value& view : *subviews) {
        if (isKindOfClass(view.object(), UIKBKeyView::staticClass()))
            return view.object();
    }
    return nullptr;
}

void gestureTouchDragged(NSObject* self, NSObject* touch)
{
    CGPoint point = send(touch, sel::locationInView, self);
    if (gestureStart.y - point.y >= 25) {
        NSObject* popup = findKeyPopupView();
        send(send(popup, sel::key), sel::setRepresentedString, NSString("1"));
        send(popup, sel::setNeedsDisplay);
    }
    if (point.y <= 0 && point.y > -125)
        return;
    callImplementation(previousTouchDragged, self, touch);
}

void gesturePopupDidMove(NSObject* self)
{
    callImplementation(previousPopupDidMove, self);
    if (!send(self, sel::superview))
        send(send(self, sel::key), sel::setRepresentedString, NSString("q"));
}

class Replacements : public KeyboardFixture {
protected:
    void SetUp() override
    {
        KeyboardFixture::SetUp();
        seen = {};
    }
};

TEST_F(Replacements, ReplacedHitTestDecidesWhichKeyTheTouchPresses)
{
    present(0);
    ASSERT_TRUE(MSHookMessageEx(
        UIKeyboardLayoutStar::staticClass(), sel::keyHitTest, forcedHitTest, &previousHitTest));
    seen.forcedKey = keyNamed("Latin-Small-Letter-P");
    tap("Latin-Small-Letter-Q");
    EXPECT_EQ(input->text, "p");
    seen.forcedKey = nullptr;
    tap("Latin-Small-Letter-Q");
    EXPECT_EQ(input->text, "pq");
}

TEST_F(Replacements, DragsAskTheReplacedHitTest)
{
    present(0);
    MSHookMessageEx(UIKeyboardLayoutStar::staticClass(), sel::keyHitTest, forcedHitTest, &previousHitTest);
    driver.touchDown(centerOf("Latin-Small-Letter-Q"));
    int beforeDrag = seen.hitTests;
    // The replacement keeps answering q although the finger is over w.
    seen.forcedKey = keyNamed("Latin-Small-Letter-Q");
    driver.touchMove(centerOf("Latin-Small-Letter-W"));
    EXPECT_EQ(seen.hitTests, beforeDrag + 1);
    driver.touchUp();
    EXPECT_EQ(input->text, "q");
}

TEST_F(Replacements, TouchUpReadsTheRepresentedStringThroughTheMethodTable)
{
    present(0);
    MSHookMessageEx(UIKBTree::staticClass(), sel::representedString, shoutedRepresentedString,
        &previousRepresentedString);
    tap("Latin-Small-Letter-Q");
    EXPECT_EQ(input->text, "Q");
}

TEST_F(Replacements, EveryKeyplaneSwitchGoesThroughSetKeyplaneName)
{
    MSHookMessageEx(UIKeyboardLayoutStar::staticClass(), sel::setKeyplaneName, recordingSetKeyplaneName,
        &previousSetKeyplaneName);
    present(0);
    tap("Shift-Key");
    tap("Latin-Capital-Letter-A");
    tap("More-Key");
    EXPECT_EQ(seen.keyplaneNames,
        (std::vector<std::string> {
            "Small-Letters", "Capital-Letters", "Small-Letters", "Numbers-And-Punctuation" }));
    seen.keyplaneNames.clear();
    present(2);
    EXPECT_EQ(seen.keyplaneNames, (std::vector<std::string> { "Numbers-And-Punctuation" }));
}

TEST_F(Replacements, TouchDownArmsTheLongPressTimerThroughTheMethodTable)
{
    present(0);
    MSHookMessageEx(UIKeyboardImpl::staticClass(), sel::touchLongPressTimerWithDelay, recordingLongPress,
        &previousLongPress);
    driver.touchDown(centerOf("Latin-Small-Letter-E"));
    EXPECT_EQ(seen.longPressDelays, (std::vector<double> { UIKeyboardLayoutStar::longPressDelay }));
    // A replacement that re-arms at another delay is what counts.
    send(impl(), sel::touchLongPressTimerWithDelay, 0.5);
    EXPECT_DOUBLE_EQ(impl()->longPressTimerFireTime() - NSRunLoop::main().currentTime(), 0.5);
    driver.touchCancel();
}

TEST_F(Replacements, PopupLeavingTheWindowRunsTheReplacedDidMoveToSuperview)
{
    present(0);
    MSHookMessageEx(UIKBKeyView::staticClass(), sel::didMoveToSuperview, recordingDidMove, &previousDidMove);
    tap("Latin-Small-Letter-Q");
    EXPECT_EQ(seen.popupDepartures, 1);
    driver.touchDown(centerOf("Latin-Small-Letter-G"));
    driver.touchMove(centerOf("Latin-Small-Letter-H"));
    driver.touchCancel();
    EXPECT_EQ(seen.popupDepartures, 3);
}

TEST_F(Replacements, UpwardGestureTypesTheStringSwappedIntoThePressedKey)
{
    present(0);
    Class* layoutClass = UIKeyboardLayoutStar::staticClass();
    MSHookMessageEx(layoutClass, sel::touchDownWithKeyAtPoint, gestureTouchDown, &previousTouchDown);
    MSHookMessageEx(layoutClass, sel::touchDragged, gestureTouchDragged, &previousTouchDragged);
    MSHookMessageEx(
        UIKBKeyView::staticClass(), sel::didMoveToSuperview, gesturePopupDidMove, &previousPopupDidMove);
    CGPoint q = centerOf("Latin-Small-Letter-Q");
    driver.touchDown(q);
    driver.touchMove({ q.x, q.y - 30 });
    // Withheld from the platform, so the pop-up still shows q's key.
    ASSERT_EQ(popupsInWindow().size(), 1u);
    EXPECT_EQ(send(keyNamed("Latin-Small-Letter-Q"), sel::representedString).utf8(), "1");
    driver.touchUp();
    EXPECT_EQ(input->text, "1");
    EXPECT_EQ(send(keyNamed("Latin-Small-Letter-Q"), sel::representedString).utf8(), "q");
}

TEST_F(Replacements, ShiftTapsGoThroughSetShiftLocked)
{
    present(0);
    MSHookMessageEx(
        UIKeyboardImpl::staticClass(), sel::setShiftLocked, ignoringSetShiftLocked, &previousSetShiftLocked);
    tap("Shift-Key");
    tap("Shift-Key");
    EXPECT_FALSE(send(impl(), sel::isShiftLocked));
}

TEST_F(Replacements, ReplacedDisplayStringsDoNotChangeWhatIsTyped)
{
    present(0);
    Selector<NSString()>::Implementation previous = nullptr;
    MSHookMessageEx(
        UIKBTree::staticClass(), sel::displayString, [](NSObject*) { return NSString(); }, &previous);
    EXPECT_TRUE(send(keyNamed("Latin-Small-Letter-Q"), sel::displayString).isNil());
    tap("Latin-Small-Letter-Q");
    EXPECT_EQ(input->text, "q");
}

TEST_F(Replacements, KeyImageCacheIsOnUnlessReplaced)
{
    EXPECT_TRUE(send(UIKeyboardCache::staticClass(), sel::enabled));
    Selector<bool()>::Implementation previous = nullptr;
    ASSERT_TRUE(MSHookMessageEx(
        UIKeyboardCache::staticClass()->metaclass(), sel::enabled, [](NSObject*) { return false; },
        &previous));
    EXPECT_FALSE(send(UIKeyboardCache::staticClass(), sel::enabled));
    EXPECT_TRUE(callImplementation(previous, UIKeyboardCache::staticClass()));
}

// An extension injected when a host starts looks the keyboard's classes up by
// name before any keyboard has been made; run alone, this test is such a host.
TEST(KeyboardClasses, AreKnownByNameBeforeAnyKeyboardIsMade)
{
    for (const char* name : { "UIKBTree", "UIKBKeyView", "UIKBKeyplaneView", "UIKeyboardLayoutStar",
             "UIKeyboardImpl", "UIKeyboard", "UIKeyboardCache" })
        EXPECT_NE(objc_getClass(name), nullptr) << name;
}

} // namespace
} // namespace keyboard_test
