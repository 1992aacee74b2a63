// The keyboard's own shortcuts: letters back after a space or an apostrophe
// on the numbers or symbols, and a slide from a keyplane key that types the
// key it ends on and goes back.
#include "KeyboardTestSupport.h"
#include "platform/uikit/UIKeyboardType.h"

#include <string>

namespace keyboard_test {
namespace {

class Shortcuts : public KeyboardFixture {
protected:
    void SetUp() override
    {
        KeyboardFixture::SetUp();
        present(0);
    }

    // Down on the first key, across to the second as the keyboard shows it
    // then, and up there.
    void slide(const char* from, const char* to)
    {
        driver.touchDown(centerOf(from));
        CGPoint target = centerOf(to);
        ASSERT_TRUE(keyNamed(to)) << to << " is not on " << keyplaneName();
        driver.touchMove(target);
        driver.touchUp(target);
    }
};

TEST_F(Shortcuts, ASpaceOrAnApostropheOnTheNumbersOrSymbolsBringsTheLettersBack)
{
    tap("More-Key");
    tap("Digit-Five");
    tap("Full-Stop");
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    tap("Space-Key");
    EXPECT_EQ(keyplaneName(), "Small-Letters");

    tap("More-Key");
    tap("Shift-Key");
    tap("Apostrophe");
    EXPECT_EQ(keyplaneName(), "Small-Letters");

    // While shifted, the capitals come back.
    tap("Shift-Key");
    tap("More-Key");
    tap("Space-Key");
    EXPECT_EQ(keyplaneName(), "Capital-Letters");
    EXPECT_EQ(input->text, "5. ' ");

    // On the letters a space changes nothing.
    tap("Latin-Capital-Letter-A");
    tap("Space-Key");
    EXPECT_EQ(keyplaneName(), "Small-Letters");
}

TEST_F(Shortcuts, AKeyboardThatOpensOnTheNumbersKeepsThemAfterASpace)
{
    present(UIKeyboardTypeNumbersAndPunctuation);
    ASSERT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    tap("Digit-One");
    tap("Space-Key");
    tap("Digit-Two");
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    EXPECT_EQ(input->text, "1 2");
}

TEST_F(Shortcuts, AKeyplaneKeyActsAsItGoesDown)
{
    driver.touchDown(centerOf("More-Key"));
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    // Lifted where it went down, it was a tap: the numbers stay.
    driver.touchUp();
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");

    driver.touchDown(centerOf("Shift-Key"));
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation-Alternate");
    driver.touchUp();
    tap("More-Key");
    driver.touchDown(centerOf("Shift-Key"));
    EXPECT_TRUE(send(impl(), sel::isShifted));
    EXPECT_EQ(keyplaneName(), "Capital-Letters");
    driver.touchUp();
    EXPECT_TRUE(send(impl(), sel::isShifted));
    EXPECT_TRUE(input->text.empty());
}

TEST_F(Shortcuts, ASlideFromAKeyplaneKeyTypesTheKeyItEndsOnAndGoesBack)
{
    slide("More-Key", "Digit-Five");
    EXPECT_EQ(input->text, "5");
    EXPECT_EQ(keyplaneName(), "Small-Letters");

    slide("Shift-Key", "Latin-Capital-Letter-G");
    EXPECT_EQ(input->text, "5G");
    EXPECT_EQ(keyplaneName(), "Small-Letters");
    EXPECT_FALSE(send(impl(), sel::isShifted));
    tap("Latin-Small-Letter-H");

    // From the numbers to the symbols and back.
    tap("More-Key");
    slide("Shift-Key", "Number-Sign");
    EXPECT_EQ(input->text, "5Gh#");
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");
}

TEST_F(Shortcuts, ASlideGoesBackToTheShiftTheKeyboardHad)
{
    // Locked: down on shift unlocks, the slide types a small letter, and the lock is back.
    tap("Shift-Key");
    NSRunLoop::main().advanceBy(0.2);
    tap("Shift-Key");
    ASSERT_TRUE(send(impl(), sel::isShiftLocked));
    slide("Shift-Key", "Latin-Small-Letter-K");
    EXPECT_TRUE(send(impl(), sel::isShiftLocked));
    EXPECT_EQ(keyplaneName(), "Capital-Letters");

    // Shifted for one letter, the slide from "123" comes back to the capitals.
    NSRunLoop::main().advanceBy(1);
    tap("Shift-Key");
    tap("Shift-Key");
    ASSERT_TRUE(send(impl(), sel::isShifted));
    slide("More-Key", "Digit-Seven");
    EXPECT_EQ(keyplaneName(), "Capital-Letters");
    EXPECT_TRUE(send(impl(), sel::isShifted));
    EXPECT_EQ(input->text, "k7");
}

// However quick, two shift taps with another key between them are no double tap:
// the slide from "123" comes back to the capitals, and the next shift tap unshifts.
TEST_F(Shortcuts, AnotherKeyBetweenTwoShiftTapsIsNoDoubleTap)
{
    tap("Shift-Key");
    slide("More-Key", "Digit-Seven");
    ASSERT_TRUE(send(impl(), sel::isShifted));
    tap("Shift-Key");
    EXPECT_FALSE(send(impl(), sel::isShiftLocked));
    EXPECT_FALSE(send(impl(), sel::isShifted));

    tap("Shift-Key");
    tap("Space-Key");
    tap("Shift-Key");
    EXPECT_FALSE(send(impl(), sel::isShiftLocked));
    EXPECT_EQ(input->text, "7 ");
}

TEST_F(Shortcuts, ASlideEndingOnAKeyplaneKeyOrOffTheKeysDoesNothingMore)
{
    // Onto "#+=": no keyplane key acts as it is slid onto, so the numbers stay.
    slide("More-Key", "Shift-Key");
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    tap("More-Key");

    driver.touchDown(centerOf("More-Key"));
    driver.touchMove(CGPointMake(100, -60));
    driver.touchUp();
    EXPECT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    EXPECT_TRUE(input->text.empty());

    // A touch that went down on a character key and lifts on "ABC" switches, as a tap would.
    driver.touchDown(centerOf("Digit-One"));
    driver.touchMove(centerOf("More-Key"));
    driver.touchUp();
    EXPECT_EQ(keyplaneName(), "Small-Letters");
    EXPECT_TRUE(input->text.empty());
}

} // namespace
} // namespace keyboard_test
