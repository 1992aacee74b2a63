#include "KeyboardTestSupport.h"

#include <string>

namespace keyboard_test {
namespace {

constexpr int firstThumb = 0;
constexpr int secondThumb = 1;

class MultiTouch : public KeyboardFixture {
protected:
    void SetUp() override
    {
        KeyboardFixture::SetUp();
        present(0);
    }
    void TearDown() override
    {
        driver.touchCancel(secondThumb);
        KeyboardFixture::TearDown();
    }

    void press(const char* name, int finger) { driver.touchDown(centerOf(name), finger); }
    UIKBTree* popupKey() const
    {
        std::vector<UIKBKeyView*> popups = popupsInWindow();
        return popups.size() == 1 ? static_cast<UIKBTree*>(send(popups[0], sel::key)) : nullptr;
    }
};

TEST_F(MultiTouch, SecondKeyDownCommitsTheHeldKeyAtOnceAndTheRollTypesInTouchDownOrder)
{
    press("Latin-Small-Letter-G", firstThumb);
    press("Latin-Small-Letter-H", secondThumb);
    // The first key is typed before either finger lifts, and only the new key shows a pop-up.
    EXPECT_EQ(input->text, "g");
    EXPECT_EQ(popupsInWindow().size(), 1u);
    EXPECT_EQ(popupKey(), keyNamed("Latin-Small-Letter-H"));
    EXPECT_EQ(layout()->activeTouch(), window->touchForFinger(secondThumb));

    press("Latin-Small-Letter-I", firstThumb);
    EXPECT_EQ(input->text, "gh");
    driver.touchUp(secondThumb);
    driver.touchUp(firstThumb);
    EXPECT_EQ(input->text, "ghi");
    EXPECT_TRUE(popupsInWindow().empty());
    EXPECT_FALSE(layout()->activeTouch());
}

TEST_F(MultiTouch, CommittedKeyTypesTheStringItCarriesThen)
{
    UIKBTree* q = keyNamed("Latin-Small-Letter-Q");
    press("Latin-Small-Letter-Q", firstThumb);
    send(q, sel::setRepresentedString, NSString("1"));
    press("Latin-Small-Letter-W", secondThumb);
    EXPECT_EQ(input->text, "1");
    send(q, sel::setRepresentedString, NSString("q"));
}

TEST_F(MultiTouch, CommittedTouchIsFinishedItsMovesAndLiftReachNothing)
{
    press("Latin-Small-Letter-G", firstThumb);
    press("Latin-Small-Letter-H", secondThumb);
    // The first finger slides onto "j" and lifts there: the second finger's press stays on "h".
    driver.touchMove(centerOf("Latin-Small-Letter-J"), firstThumb);
    EXPECT_EQ(popupKey(), keyNamed("Latin-Small-Letter-H"));
    driver.touchUp(centerOf("Latin-Small-Letter-J"), firstThumb);
    EXPECT_EQ(input->text, "g");
    EXPECT_EQ(popupKey(), keyNamed("Latin-Small-Letter-H"));
    EXPECT_TRUE(impl()->isLongPressTimerScheduled());
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, "gh");
    // A cancel of a committed finger takes nothing back.
    press("Latin-Small-Letter-A", firstThumb);
    press("Latin-Small-Letter-B", secondThumb);
    driver.touchCancel(firstThumb);
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, "ghab");
}

TEST_F(MultiTouch, ShiftHeldWhileLettersAreTappedIsAModifier)
{
    // Shift shows the capitals as it goes down.
    press("Shift-Key", firstThumb);
    press("Latin-Capital-Letter-H", secondThumb);
    // The shift press became a modifier: no shift tap, the keyboard shifted for the letter.
    EXPECT_TRUE(send(impl(), sel::isShifted));
    EXPECT_EQ(popupKey(), keyNamed("Latin-Capital-Letter-H"));
    driver.touchUp(secondThumb);
    // Still held: the next letter is a capital too.
    EXPECT_TRUE(send(impl(), sel::isShifted));
    press("Latin-Capital-Letter-I", secondThumb);
    driver.touchUp(secondThumb);
    driver.touchUp(firstThumb);
    EXPECT_FALSE(send(impl(), sel::isShifted));
    EXPECT_EQ(keyplaneName(), "Small-Letters");
    tap("Latin-Small-Letter-J");
    EXPECT_EQ(input->text, "HIj");
}

TEST_F(MultiTouch, ShiftLiftedBeforeTheLetterEndsWithTheLetter)
{
    press("Shift-Key", firstThumb);
    press("Latin-Capital-Letter-H", secondThumb);
    driver.touchUp(firstThumb);
    EXPECT_TRUE(send(impl(), sel::isShifted));
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, "H");
    EXPECT_FALSE(send(impl(), sel::isShifted));
    // Shift lock outlives a shift finger.
    tap("Shift-Key");
    NSRunLoop::main().advanceBy(0.2);
    tap("Shift-Key");
    ASSERT_TRUE(send(impl(), sel::isShiftLocked));
    // Going down, shift unlocks and the small letters show; held, that is undone.
    press("Shift-Key", firstThumb);
    press("Latin-Small-Letter-A", secondThumb);
    driver.touchUp(firstThumb);
    driver.touchUp(secondThumb);
    EXPECT_TRUE(send(impl(), sel::isShiftLocked));
    EXPECT_EQ(input->text, "HA");
}

TEST_F(MultiTouch, DeleteHeldWhileTheOtherThumbTypesStopsRepeating)
{
    input->text = "abcdefgh";
    press("Delete-Key", firstThumb);
    NSRunLoop::main().advanceBy(UIKeyboardLayoutStar::longPressDelay + 0.25);
    std::string afterRepeat = input->text;
    ASSERT_LT(afterRepeat.size(), 7u);
    press("Latin-Small-Letter-X", secondThumb);
    NSRunLoop::main().advanceBy(1);
    EXPECT_EQ(input->text, afterRepeat);
    driver.touchUp(firstThumb);
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, afterRepeat + "x");
}

TEST_F(MultiTouch, ChosenVariantIsCommittedByTheNextThumb)
{
    press("Latin-Small-Letter-E", firstThumb);
    NSRunLoop::main().advanceBy(UIKeyboardLayoutStar::longPressDelay);
    ASSERT_TRUE(layout()->variantsView());
    press("Latin-Small-Letter-T", secondThumb);
    EXPECT_FALSE(layout()->variantsView());
    driver.touchUp(secondThumb);
    driver.touchUp(firstThumb);
    EXPECT_EQ(input->text, "ét");
}

TEST_F(MultiTouch, KeyboardLeavingWithTwoFingersDownCancelsBothAndKeepsNothing)
{
    press("Shift-Key", firstThumb);
    press("Latin-Small-Letter-H", secondThumb);
    presenter.dismissKeyboard();
    EXPECT_TRUE(popupsInWindow().empty());
    EXPECT_TRUE(input->text.empty());
    // Both fingers lift on a screen without a keyboard; nothing is typed.
    driver.touchUp(secondThumb);
    driver.touchUp(firstThumb);
    EXPECT_TRUE(input->text.empty());

    present(0);
    EXPECT_FALSE(send(impl(), sel::isShifted));
    EXPECT_FALSE(layout()->activeTouch());
    EXPECT_FALSE(layout()->shiftTouch());
    tap("Latin-Small-Letter-A");
    EXPECT_EQ(input->text, "a");
}

} // namespace
} // namespace keyboard_test
