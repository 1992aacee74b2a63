#include "ExtensionTestSupport.h"
#include "keyboard/GestureInput.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/substrate/Substrate.h"

namespace {

using namespace extension_test;

// Counts the drags that reach the platform's own touch handling.
int platformDrags = 0;
decltype(sel::touchDragged)::Implementation platformTouchDragged = nullptr;
void countingTouchDragged(NSObject* self, NSObject* touch)
{
    ++platformDrags;
    callImplementation(platformTouchDragged, self, touch);
}

class GestureInput : public ExtensionFixture {
protected:
    void SetUp() override
    {
        ExtensionFixture::SetUp();
        platformDrags = 0;
        // Installed first, so the extension's replacement calls through it.
        MSHookMessageEx(UIKeyboardLayoutStar::staticClass(), sel::touchDragged, countingTouchDragged,
            &platformTouchDragged);
    }

    // Presses the key and answers where.
    CGPoint pressKey(const char* represented)
    {
        CGPoint point = centerOf(key(represented));
        driver.touchDown(point);
        return point;
    }
    void dragTo(CGPoint start, float upwards) { driver.touchMove({ start.x, start.y - upwards }); }

    bool longPressTimerArmedFor(double seconds) const
    {
        return impl()->isLongPressTimerScheduled()
            && impl()->longPressTimerFireTime() == KeyboardTimer::now() + seconds;
    }
};

TEST_F(GestureInput, FlickPastThresholdTypesAlternate)
{
    startExtension();
    present();
    CGPoint start = pressKey("q");
    EXPECT_EQ(trackedKey(), key("q"));
    EXPECT_TRUE(longPressTimerArmedFor(0.5));

    dragTo(start, 30);
    EXPECT_EQ(popupString(), "1");
    EXPECT_TRUE(alternateShown());
    EXPECT_FALSE(impl()->isLongPressTimerScheduled());

    driver.touchUp();
    EXPECT_EQ(input->text, "1");
    EXPECT_TRUE(nothingTracked());
    // The pop-up has left the window: the key types its own string again.
    EXPECT_FALSE(alternateShown());
    EXPECT_EQ(send(key("q"), sel::representedString).utf8(), "q");
    driver.tap(start);
    EXPECT_EQ(input->text, "1q");
}

TEST_F(GestureInput, ShortFlickRearmsTheLongPressTimerAndAFurtherOneApplies)
{
    startExtension();
    present();
    CGPoint start = pressKey("w");
    NSRunLoop::main().advanceBy(0.3);
    dragTo(start, 20);
    EXPECT_EQ(popupString(), "w");
    EXPECT_FALSE(alternateShown());
    EXPECT_TRUE(longPressTimerArmedFor(0.5));
    dragTo(start, 30);
    EXPECT_EQ(popupString(), "2");
    driver.touchUp();
    EXPECT_EQ(input->text, "2");
}

TEST_F(GestureInput, ARestingFingerGetsTheVariantsHalfASecondAfterItsLastDrag)
{
    startExtension();
    present();
    CGPoint start = pressKey("e");
    NSRunLoop::main().advanceBy(0.3);
    dragTo(start, 2);
    NSRunLoop::main().advanceBy(0.45);
    EXPECT_FALSE(layout()->variantsView()) << "the drag re-armed the long press";
    NSRunLoop::main().advanceBy(0.1);
    EXPECT_TRUE(layout()->variantsView());
    driver.touchUp();
}

TEST_F(GestureInput, DraggingBackBelowTheThresholdPutsTheKeysOwnStringBack)
{
    startExtension();
    present();
    CGPoint start = pressKey("e");
    dragTo(start, 30);
    EXPECT_EQ(popupString(), "3");
    dragTo(start, 10);
    EXPECT_EQ(popupString(), "e");
    EXPECT_FALSE(alternateShown());
    EXPECT_TRUE(longPressTimerArmedFor(0.5));
    driver.touchUp();
    EXPECT_EQ(input->text, "e");
}

TEST_F(GestureInput, FlickWithholdsDragsJustAboveTheKeyboardFromThePlatform)
{
    startExtension();
    present();
    CGPoint start = pressKey("t");
    driver.touchMove({ start.x, -50 });
    EXPECT_EQ(platformDrags, 0);
    driver.touchMove({ start.x, 0 });
    EXPECT_EQ(platformDrags, 0);
    driver.touchMove({ start.x, -130 });
    EXPECT_EQ(platformDrags, 1);
    // Back on the key, below the threshold: passed on, and the key's own string is back.
    driver.touchMove({ start.x, 5 });
    EXPECT_EQ(platformDrags, 2);
    EXPECT_EQ(popupString(), "t");
    driver.touchMove({ start.x, -60 });
    EXPECT_EQ(platformDrags, 2);
    driver.touchUp();
    EXPECT_EQ(input->text, "5");
}

TEST_F(GestureInput, FlickHitTestKeepsTheTrackedKeyInItsBand)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    pressKey("q");
    CGRect frame = send(q, sel::frame);
    auto hit = [this](CGFloat x, CGFloat y) { return send(layout(), sel::keyHitTest, CGPoint { x, y }); };
    EXPECT_EQ(hit(frame.maxX() + 75, frame.minY() + 25), q);
    EXPECT_EQ(hit(frame.minX() - 75, -200), q);
    // Beyond the band the platform answers: a key further along the row.
    NSObject* farRight = hit(frame.maxX() + 80, frame.minY() + 5);
    EXPECT_NE(farRight, q);
    EXPECT_TRUE(farRight);
    // Below the band, in the next row.
    EXPECT_EQ(hit(frame.midX(), frame.minY() + 60), key("a"));
}

TEST_F(GestureInput, SlideAppliesAtSixPointsWithinTheKey)
{
    startExtension(0, 2);
    present();
    UIKBTree* y = key("y");
    CGRect frame = send(y, sel::frame);
    CGPoint start { frame.midX(), frame.maxY() - 2 };
    driver.touchDown(start);
    driver.touchMove({ start.x, start.y - 5.9f });
    EXPECT_EQ(popupString(), "y");
    driver.touchMove({ start.x, start.y - 6 });
    EXPECT_EQ(popupString(), "6");
    driver.touchUp();
    EXPECT_EQ(input->text, "6");
    // No band around the key, and no drags withheld.
    pressKey("y");
    EXPECT_NE(send(layout(), sel::keyHitTest, CGPoint { frame.midX(), -50 }), y);
    driver.touchMove({ frame.midX(), -50 });
    EXPECT_EQ(platformDrags, 3);
}

TEST_F(GestureInput, SlideOntoTheKeyAboveTracksItOnlyWellAboveItsBottomEdge)
{
    startExtension(0, 2);
    present();
    UIKBTree* q = key("q");
    CGRect above = send(q, sel::frame);
    pressKey("a");
    driver.touchMove({ above.midX(), above.maxY() - 7 });
    EXPECT_FALSE(trackedKey());
    CGPoint entry { above.midX(), above.maxY() - 9 };
    driver.touchMove(entry);
    EXPECT_EQ(trackedKey(), q);
    EXPECT_EQ(extension.gesture.gTrackStartPoint(), entry);
    dragTo(entry, 6);
    EXPECT_EQ(popupString(), "1");
    driver.touchUp();
    EXPECT_EQ(input->text, "1");
}

TEST_F(GestureInput, DragOntoNoKeyEndsTheTracking)
{
    startExtension(0, 2);
    present();
    pressKey("q");
    driver.touchMove({ 1, -300 });
    EXPECT_FALSE(trackedKey());
    EXPECT_FALSE(impl()->isLongPressTimerScheduled());
}

// The platform's slide from "123" types the key it ends on: a drag that
// reaches a key starts no gesture there, however far up the key it goes.
TEST_F(GestureInput, ASlideFromAKeyplaneKeyIsThePlatformsAndAGestureOnAKeyStaysCorvanes)
{
    startExtension(0, 2);
    present();
    driver.touchDown(centerOf(keyOn(keyplane(), "More-Key")));
    CGRect five = send(key("5"), sel::frame);
    for (CGFloat y = five.maxY() - 1; y > five.minY(); y -= 4)
        driver.touchMove({ five.midX(), y });
    EXPECT_FALSE(trackedKey());
    driver.touchUp();
    EXPECT_EQ(input->text, "5");

    switchTo("Numbers-And-Punctuation");
    CGPoint start = pressKey("5");
    dragTo(start, 7);
    driver.touchUp();
    EXPECT_EQ(input->text, "5#");
}

TEST_F(GestureInput, IneligibleKeysKeepThePlatformsLongPressTimer)
{
    startExtension();
    present(3);
    driver.touchDown(centerOf(keyOn(keyplane(), "Top-Level-Domain-Key")));
    EXPECT_FALSE(trackedKey());
    EXPECT_TRUE(longPressTimerArmedFor(UIKeyboardLayoutStar::longPressDelay));
}

TEST_F(GestureInput, ShiftLockTypesTheShiftLockAlternate)
{
    startExtension();
    present();
    send(impl(), sel::setShiftLocked, true);
    ASSERT_EQ(send(layout(), sel::keyplaneName).utf8(), "Capital-Letters");
    CGPoint start = pressKey("Q");
    dragTo(start, 30);
    driver.touchUp();
    EXPECT_EQ(input->text, "[");
    // Without shift lock the capital types the plain alternate.
    send(impl(), sel::setShiftLocked, false);
    send(impl(), sel::setShift, true);
    start = pressKey("Q");
    dragTo(start, 30);
    driver.touchUp();
    EXPECT_EQ(input->text, "[1");
}

TEST_F(GestureInput, ShiftedModeTypesTheShiftedStringUnlessAlreadyShifted)
{
    startExtension(1);
    present();
    CGPoint start = pressKey("q");
    dragTo(start, 30);
    driver.touchUp();
    EXPECT_EQ(input->text, "Q");

    send(impl(), sel::setShift, true);
    start = pressKey("W");
    dragTo(start, 30);
    EXPECT_FALSE(trackedKey());
    EXPECT_EQ(popupString(), "W");
    driver.touchUp();
    EXPECT_EQ(input->text, "QW");
}

TEST_F(GestureInput, KeyWithoutAnAlternateDropsTheGesture)
{
    startExtension(0, 2);
    present(7);
    CGPoint start = pressKey(".");
    EXPECT_TRUE(trackedKey());
    dragTo(start, 6);
    EXPECT_FALSE(trackedKey());
    EXPECT_EQ(popupString(), ".");
    driver.touchUp();
    EXPECT_EQ(input->text, ".");
}

TEST_F(GestureInput, DroppedFlickHoldsItsKeyUntilTheTouchEnds)
{
    startExtension();
    present(7);
    UIKBTree* at = key("@");
    CGPoint start = pressKey("@");
    dragTo(start, 30);
    EXPECT_TRUE(nothingTracked());
    EXPECT_EQ(heldKey(), at);
    EXPECT_EQ(layout()->pressedKey(), at);
    // The key above, and far above the keyboard: still the dropped key.
    EXPECT_EQ(send(layout(), sel::keyHitTest, CGPoint { start.x, start.y - 54 }), at);
    dragTo(start, 100);
    dragTo(start, 200);
    EXPECT_EQ(layout()->pressedKey(), at);
    EXPECT_EQ(popupString(), "@");
    driver.touchUp();
    EXPECT_EQ(input->text, "@");
    EXPECT_FALSE(heldKey());
    EXPECT_EQ(send(layout(), sel::keyHitTest, CGPoint { start.x, start.y - 54 }), key("n"));
}

TEST_F(GestureInput, DroppedSlideHoldsItsKeyToo)
{
    startExtension(1, 2);
    present();
    send(impl(), sel::setShift, true);
    CGPoint start = pressKey("S");
    for (float upwards = 2; upwards <= 40; upwards += 2)
        dragTo(start, upwards);
    EXPECT_EQ(layout()->pressedKey(), key("S"));
    driver.touchUp();
    EXPECT_EQ(input->text, "S");
}

TEST_F(GestureInput, DroppedKeyIsLetGoWhenTheFingerLeavesItsBand)
{
    startExtension();
    present(7);
    CGPoint start = pressKey("@");
    dragTo(start, 30);
    ASSERT_TRUE(heldKey());
    // Far to the right, low on the return key: the platform's hit test answers.
    UIKBTree* returnKey = keyOn(keyplane(), "Return-Key");
    CGRect returnFrame = send(returnKey, sel::frame);
    driver.touchMove({ returnFrame.maxX() - 2, returnFrame.maxY() - 1 });
    EXPECT_FALSE(heldKey());
    EXPECT_EQ(layout()->pressedKey(), returnKey);
    driver.touchCancel();
    // A keyplane switch forgets a held key as well.
    start = pressKey("@");
    dragTo(start, 30);
    ASSERT_TRUE(heldKey());
    switchTo("Small-Letters");
    EXPECT_FALSE(heldKey());
    driver.touchCancel();
}

TEST_F(GestureInput, InactiveKeyboardIsLeftToThePlatform)
{
    startExtension();
    present(4);
    CGPoint start = pressKey("1");
    EXPECT_FALSE(trackedKey());
    EXPECT_TRUE(longPressTimerArmedFor(UIKeyboardLayoutStar::longPressDelay));
    dragTo(start, 30);
    EXPECT_EQ(platformDrags, 1);
    driver.touchUp();
    EXPECT_EQ(input->text, "");
}

TEST_F(GestureInput, TrackedKeyFreedMidGestureIsNeverReached)
{
    startExtension();
    present();
    pressKey("q");
    WeakPtr<NSObject> pressed(key("q"));
    // Leaving the extension inactive keeps the tracking through the teardown.
    send(layout(), sel::setKeyplaneName, NSString());
    ASSERT_TRUE(trackedKey());
    presenter.reset();
    ASSERT_FALSE(pressed);
    EXPECT_FALSE(trackedKey());

    presenter = std::make_unique<SystemKeyboardPresenter>();
    present();
    extension.gAugmentationActive = true;
    EXPECT_EQ(send(layout(), sel::keyHitTest, centerOf(key("w"))), key("w"));
}

// Resetting the extension's state forgets the whole gesture in progress, the
// keyboard its touch went down on included, though that keyboard lives on.
TEST_F(GestureInput, AResetForgetsTheGestureInProgressAndItsKeyboard)
{
    startExtension();
    present();
    CGPoint start = pressKey("q");
    dragTo(start, 30);
    ASSERT_TRUE(alternateShown());
    ASSERT_EQ(extension.gesture.gTouchedKeyboard(), impl());

    resetExtensionStateForTesting();
    EXPECT_TRUE(nothingTracked());
    EXPECT_FALSE(alternateShown());
    EXPECT_FALSE(heldKey());
    EXPECT_EQ(extension.gesture.gTouchedKeyboard(), nullptr);
}

TEST_F(GestureInput, PopupIsFoundAmongTheKeyboardWindowsSubviews)
{
    startExtension();
    present();
    EXPECT_FALSE(findKeyPopupView());
    pressKey("z");
    EXPECT_EQ(findKeyPopupView(), popup());
    driver.touchUp();
    EXPECT_FALSE(findKeyPopupView());
}

} // namespace

namespace {

// Counts the hit tests that reach the platform's own.
int platformHitTests = 0;
decltype(sel::keyHitTest)::Implementation platformKeyHitTest = nullptr;
NSObject* countingKeyHitTest(NSObject* self, CGPoint point)
{
    ++platformHitTests;
    return callImplementation(platformKeyHitTest, self, point);
}

class DragHitTests : public GestureInput {
protected:
    void SetUp() override
    {
        GestureInput::SetUp();
        platformHitTests = 0;
        MSHookMessageEx(
            UIKeyboardLayoutStar::staticClass(), sel::keyHitTest, countingKeyHitTest, &platformKeyHitTest);
    }
};

// The platform's drag hit-tests the point the extension's drag has just
// hit-tested; while the gesture keeps the same keys, it gets the same answer
// without asking the platform again.
TEST_F(DragHitTests, ThePlatformsDragHasTheAnswerForThePointAlreadyTested)
{
    startExtension(2, 2);
    present();
    CGPoint start = pressKey("g");
    platformHitTests = 0;
    dragTo(start, 2);
    EXPECT_EQ(platformHitTests, 1);
    EXPECT_EQ(platformDrags, 1);
    EXPECT_EQ(trackedKey(), key("g"));
    EXPECT_EQ(popupString(), "g");

    // Reaching another key high enough moves the tracking there: the platform
    // is asked again, and presses that key.
    platformHitTests = 0;
    driver.touchMove(centerOf(key("h")));
    EXPECT_EQ(platformHitTests, 2);
    EXPECT_EQ(trackedKey(), key("h"));
    EXPECT_EQ(popupString(), "h");

    // Outside a drag every hit test is the platform's.
    platformHitTests = 0;
    send(layout(), sel::keyHitTest, centerOf(key("j")));
    send(layout(), sel::keyHitTest, centerOf(key("j")));
    EXPECT_EQ(platformHitTests, 2);
    driver.touchUp();
    EXPECT_EQ(input->text, "h");
}

} // namespace
