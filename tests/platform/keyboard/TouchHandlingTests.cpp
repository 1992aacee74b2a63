#include "KeyboardTestSupport.h"

#include <string>

namespace keyboard_test {
namespace {

class TouchHandling : public KeyboardFixture {
protected:
    void SetUp() override
    {
        KeyboardFixture::SetUp();
        present(0);
    }
};

TEST_F(TouchHandling, HitTestFindsTheKeyWhoseFrameHoldsThePoint)
{
    UIKBTree* q = keyNamed("Latin-Small-Letter-Q");
    UIKBTree* w = keyNamed("Latin-Small-Letter-W");
    EXPECT_EQ(send(layout(), sel::keyHitTest, centerOf("Latin-Small-Letter-Q")), q);
    // The gap between two caps belongs to one of the two keys.
    CGPoint gap { (q->paddedFrame().maxX() + w->paddedFrame().minX()) / 2 - 0.25f, q->paddedFrame().midY() };
    EXPECT_EQ(send(layout(), sel::keyHitTest, gap), q);
    EXPECT_EQ(send(layout(), sel::keyHitTest, CGPointMake(1, 1)), q);
    EXPECT_EQ(send(layout(), sel::keyHitTest, CGPointMake(319, 215)), keyNamed("Return-Key"));
    EXPECT_EQ(send(layout(), sel::keyHitTest, CGPointMake(100, -5)), nullptr);
    EXPECT_EQ(send(layout(), sel::keyHitTest, CGPointMake(100, 216)), nullptr);
}

TEST_F(TouchHandling, TouchesAnswerTheirPlaceInTheLayoutsCoordinates)
{
    CGFloat keyboardTop = window->frame().height() - 216;
    auto touch = makeRef<UITouch>(window.get(), layout(), CGPointMake(40, keyboardTop - 50));
    EXPECT_EQ(send(touch.get(), sel::locationInView, layout()), CGPointMake(40, -50));
    EXPECT_EQ(send(touch.get(), sel::locationInView, nullptr), CGPointMake(40, keyboardTop - 50));
}

TEST_F(TouchHandling, TapTypesTheKeyIntoTheTextInput)
{
    tap("Latin-Small-Letter-H");
    tap("Latin-Small-Letter-I");
    tap("Space-Key");
    tap("Return-Key");
    EXPECT_EQ(input->text, "hi \n");
}

TEST_F(TouchHandling, PressedCharacterKeyShowsItsPopupAboveItInTheWindow)
{
    UIKBTree* g = keyNamed("Latin-Small-Letter-G");
    driver.touchDown(centerOf("Latin-Small-Letter-G"));
    std::vector<UIKBKeyView*> popups = popupsInWindow();
    ASSERT_EQ(popups.size(), 1u);
    RefPtr<UIKBKeyView> popup(popups[0]);
    EXPECT_EQ(send(popup, sel::key), g);
    EXPECT_EQ(send(popup, sel::state), 1);
    EXPECT_EQ(send(popup, sel::superview), window.get());
    // It stands on the key's cap, centred over it, and reaches above it.
    CGRect cap = g->paddedFrame();
    CGFloat keyboardTop = window->frame().height() - 216;
    CGRect frame = popup->frame();
    EXPECT_FLOAT_EQ(frame.maxY(), keyboardTop + cap.maxY());
    EXPECT_FLOAT_EQ(frame.midX(), cap.midX());
    EXPECT_LT(frame.minY(), keyboardTop + cap.minY() - 40);
    EXPECT_EQ(popup->capRect().size, cap.size);
    EXPECT_TRUE(input->text.empty());

    driver.touchUp();
    EXPECT_TRUE(popupsInWindow().empty());
    EXPECT_EQ(send(popup, sel::superview), nullptr);
    EXPECT_EQ(input->text, "g");
}

TEST_F(TouchHandling, EdgeKeysLeanTheirPopupHeadsInwards)
{
    driver.touchDown(centerOf("Latin-Small-Letter-Q"));
    UIKBKeyView* left = popupsInWindow().at(0);
    EXPECT_FLOAT_EQ(left->frame().minX(), keyNamed("Latin-Small-Letter-Q")->paddedFrame().minX());
    EXPECT_EQ(left->headRect().minX(), 0);
    driver.touchCancel();
    driver.touchDown(centerOf("Latin-Small-Letter-P"));
    UIKBKeyView* right = popupsInWindow().at(0);
    EXPECT_FLOAT_EQ(right->frame().maxX(), keyNamed("Latin-Small-Letter-P")->paddedFrame().maxX());
    EXPECT_FLOAT_EQ(right->headRect().maxX(), right->frame().width());
    EXPECT_LE(right->frame().maxX(), 320);
}

TEST_F(TouchHandling, CancelledTouchTypesNothingAndRemovesThePopup)
{
    driver.touchDown(centerOf("Latin-Small-Letter-G"));
    driver.touchCancel();
    EXPECT_TRUE(popupsInWindow().empty());
    EXPECT_TRUE(input->text.empty());
    EXPECT_FALSE(impl()->isLongPressTimerScheduled());
}

TEST_F(TouchHandling, DraggingMovesThePressToTheKeyUnderTheFinger)
{
    driver.touchDown(centerOf("Latin-Small-Letter-G"));
    WeakPtr<UIKBKeyView> first(popupsInWindow().at(0));
    driver.touchMove(centerOf("Latin-Small-Letter-H"));
    std::vector<UIKBKeyView*> popups = popupsInWindow();
    ASSERT_EQ(popups.size(), 1u);
    // The first pop-up has left the window and is gone.
    EXPECT_FALSE(first.get());
    EXPECT_EQ(send(popups[0], sel::key), keyNamed("Latin-Small-Letter-H"));
    driver.touchUp();
    EXPECT_EQ(input->text, "h");

    // Off the keyboard there is no key, and lifting there types nothing.
    driver.touchDown(centerOf("Latin-Small-Letter-G"));
    driver.touchMove(CGPointMake(100, -60));
    EXPECT_TRUE(popupsInWindow().empty());
    driver.touchUp();
    EXPECT_EQ(input->text, "h");
}

TEST_F(TouchHandling, TouchUpTypesTheRepresentedStringTheKeyHasThen)
{
    UIKBTree* q = keyNamed("Latin-Small-Letter-Q");
    driver.touchDown(centerOf("Latin-Small-Letter-Q"));
    send(q, sel::setRepresentedString, NSString("1"));
    driver.touchUp();
    EXPECT_EQ(input->text, "1");
    send(q, sel::setRepresentedString, NSString("q"));
}

TEST_F(TouchHandling, ShiftTapShiftsForOneLetter)
{
    tap("Shift-Key");
    EXPECT_TRUE(send(impl(), sel::isShifted));
    EXPECT_FALSE(send(impl(), sel::isShiftLocked));
    EXPECT_EQ(keyplaneName(), "Capital-Letters");
    tap("Latin-Capital-Letter-H");
    EXPECT_FALSE(send(impl(), sel::isShifted));
    EXPECT_EQ(keyplaneName(), "Small-Letters");
    tap("Latin-Small-Letter-I");
    EXPECT_EQ(input->text, "Hi");
}

TEST_F(TouchHandling, SecondShiftTapAfterTheDoubleTapIntervalUnshifts)
{
    tap("Shift-Key");
    NSRunLoop::main().advanceBy(0.4);
    tap("Shift-Key");
    EXPECT_FALSE(send(impl(), sel::isShifted));
    EXPECT_FALSE(send(impl(), sel::isShiftLocked));
    EXPECT_EQ(keyplaneName(), "Small-Letters");
}

TEST_F(TouchHandling, DoubleTapOnShiftLocksItUntilTheNextTap)
{
    tap("Shift-Key");
    NSRunLoop::main().advanceBy(0.2);
    tap("Shift-Key");
    EXPECT_TRUE(send(impl(), sel::isShiftLocked));
    EXPECT_TRUE(send(impl(), sel::isShifted));
    tap("Latin-Capital-Letter-A");
    tap("Latin-Capital-Letter-B");
    EXPECT_EQ(input->text, "AB");
    EXPECT_EQ(keyplaneName(), "Capital-Letters");
    NSRunLoop::main().advanceBy(1);
    tap("Shift-Key");
    EXPECT_FALSE(send(impl(), sel::isShiftLocked));
    EXPECT_FALSE(send(impl(), sel::isShifted));
    EXPECT_EQ(keyplaneName(), "Small-Letters");
}

TEST_F(TouchHandling, SetShiftLockedShowsTheCapitalsAndGoesThroughTheMethodTable)
{
    send(impl(), sel::setShiftLocked, true);
    EXPECT_EQ(keyplaneName(), "Capital-Letters");
    EXPECT_TRUE(send(impl(), sel::isShifted));
    send(impl(), sel::setShiftLocked, false);
    EXPECT_EQ(keyplaneName(), "Small-Letters");
    EXPECT_FALSE(send(impl(), sel::isShifted));
}

TEST_F(TouchHandling, DeleteDeletesBackwards)
{
    tap("Latin-Small-Letter-A");
    tap("Latin-Small-Letter-B");
    tap("Delete-Key");
    EXPECT_EQ(input->text, "a");
    EXPECT_EQ(input->deletions, 1);
}

TEST_F(TouchHandling, HoldingDeleteRepeatsUntilLifted)
{
    input->text = "abcdefgh";
    driver.touchDown(centerOf("Delete-Key"));
    NSRunLoop::main().advanceBy(UIKeyboardLayoutStar::longPressDelay);
    EXPECT_EQ(input->text, "abcdefg");
    NSRunLoop::main().advanceBy(0.35);
    EXPECT_EQ(input->text, "abcd");
    driver.touchUp();
    // The lift itself deletes nothing more, and the repeat has stopped.
    NSRunLoop::main().advanceBy(1);
    EXPECT_EQ(input->text, "abcd");
}

TEST_F(TouchHandling, MoreSwitchesToNumbersAndBack)
{
    tap("More-Key");
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    tap("Digit-Four");
    tap("Shift-Key");
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation-Alternate");
    tap("Number-Sign");
    tap("Shift-Key");
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    tap("More-Key");
    EXPECT_EQ(keyplaneName(), "Small-Letters");
    EXPECT_EQ(input->text, "4#");
    // The keyplane view shows what the layout shows.
    EXPECT_EQ(send(layout()->keyplaneView(), sel::keyplane), keyplane());
}

TEST_F(TouchHandling, LongPressOnAVowelOffersItsVariants)
{
    driver.touchDown(centerOf("Latin-Small-Letter-E"));
    EXPECT_TRUE(impl()->isLongPressTimerScheduled());
    NSRunLoop::main().advanceBy(UIKeyboardLayoutStar::longPressDelay - 0.05);
    EXPECT_FALSE(layout()->variantsView());
    NSRunLoop::main().advanceBy(0.1);
    RefPtr<UIKBVariantsView> variants(layout()->variantsView());
    ASSERT_TRUE(variants);
    EXPECT_EQ(variants->superview(), window.get());
    // The balloon replaces the pop-up.
    EXPECT_TRUE(popupsInWindow().empty());
    EXPECT_EQ(variants->selectedVariant().utf8(), "é");

    // Sliding along the balloon picks another; lifting types it.
    CGRect frame = variants->frame();
    CGFloat keyboardTop = window->frame().height() - 216;
    CGPoint third { frame.minX() + variants->cellWidth() * 2.5f, frame.midY() - keyboardTop };
    driver.touchMove(third);
    EXPECT_EQ(variants->selectedIndex(), 2u);
    NSString picked = variants->selectedVariant();
    driver.touchUp();
    EXPECT_EQ(input->text, picked.utf8());
    EXPECT_FALSE(layout()->variantsView());
    EXPECT_EQ(variants->superview(), nullptr);
}

TEST_F(TouchHandling, LongPressOnAKeyWithoutVariantsJustTypesIt)
{
    driver.touchDown(centerOf("Latin-Small-Letter-Q"));
    NSRunLoop::main().advanceBy(2);
    EXPECT_FALSE(layout()->variantsView());
    EXPECT_EQ(popupsInWindow().size(), 1u);
    driver.touchUp();
    EXPECT_EQ(input->text, "q");
}

TEST_F(TouchHandling, ReArmingTheLongPressTimerPostponesIt)
{
    driver.touchDown(centerOf("Latin-Small-Letter-E"));
    NSRunLoop::main().advanceBy(0.5);
    send(impl(), sel::touchLongPressTimerWithDelay, 0.5);
    NSRunLoop::main().advanceBy(0.4);
    EXPECT_FALSE(layout()->variantsView());
    NSRunLoop::main().advanceBy(0.2);
    EXPECT_TRUE(layout()->variantsView());
    send(impl(), sel::clearLongPressTimer);
    EXPECT_FALSE(impl()->isLongPressTimerScheduled());
}

TEST_F(TouchHandling, ShiftedVariantsAreCapitals)
{
    tap("Shift-Key");
    driver.touchDown(centerOf("Latin-Capital-Letter-E"));
    NSRunLoop::main().advanceBy(1);
    driver.touchUp();
    EXPECT_EQ(input->text, "É");
    EXPECT_EQ(keyplaneName(), "Small-Letters");
}

} // namespace
} // namespace keyboard_test
