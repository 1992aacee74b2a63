#include "ExtensionTestSupport.h"

#include <ostream>
#include <string>

// The gesture under two thumbs: the platform commits a held key when the next
// one goes down and passes on the new finger's touches only.

namespace {

using namespace extension_test;

constexpr int firstThumb = 0;
constexpr int secondThumb = 1;

struct Mode {
    int type;
    int gesture;
    float upward;
};
// Both type modes with both gestures, each with a movement past its threshold.
constexpr Mode everyMode[] = { { 2, 1, 30 }, { 2, 2, 7 }, { 1, 1, 30 }, { 1, 2, 7 } };

void PrintTo(const Mode& mode, std::ostream* out)
{
    *out << "type=" << mode.type << " gesture=" << mode.gesture;
}

std::string modeName(const testing::TestParamInfo<Mode>& info)
{
    return std::string(info.param.type == 2 ? "AlternateKey" : "ShiftedKey")
        + (info.param.gesture == 2 ? "SlideUp" : "FlickUp");
}

class Rollover : public ExtensionFixture {
protected:
    void TearDown() override
    {
        driver.touchCancel(secondThumb);
        ExtensionFixture::TearDown();
    }

    CGPoint press(const char* represented, int finger)
    {
        CGPoint point = centerOf(key(represented));
        driver.touchDown(point, finger);
        return point;
    }
    void moveUp(CGPoint start, float upward, int finger)
    {
        driver.touchMove({ start.x, start.y - upward }, finger);
    }
};

TEST_F(Rollover, RolledTapsTypeInTouchDownOrder)
{
    startExtension();
    present();
    // "w" lies in the band where a flick on "q" keeps answering "q"; the
    // held "q" is committed before the new finger's key is looked for.
    press("q", firstThumb);
    press("w", secondThumb);
    EXPECT_EQ(trackedKey(), key("w"));
    press("e", firstThumb);
    driver.touchUp(secondThumb);
    press("r", secondThumb);
    driver.touchUp(firstThumb);
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, "qwer");
    EXPECT_FALSE(trackedKey());
}

class OvertakenGesture : public Rollover, public testing::WithParamInterface<Mode> { };

TEST_P(OvertakenGesture, TypesItsAlternateThenTheNextKey)
{
    const Mode& mode = GetParam();
    startExtension(mode.type, mode.gesture);
    present();
    std::string alternate = property(key("q"), contract::alternateEntry);
    CGPoint start = press("q", firstThumb);
    moveUp(start, mode.upward, firstThumb);
    ASSERT_EQ(popupString(), alternate);
    press("w", secondThumb);
    EXPECT_EQ(input->text, alternate);
    // The committed key has its own string back; the new key is tracked afresh.
    EXPECT_EQ(send(key("q"), sel::representedString).utf8(), "q");
    EXPECT_FALSE(alternateShown());
    EXPECT_EQ(trackedKey(), key("w"));
    driver.touchUp(firstThumb);
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, alternate + "w");
}

INSTANTIATE_TEST_SUITE_P(EveryMode, OvertakenGesture, testing::ValuesIn(everyMode), modeName);

TEST_F(Rollover, SecondThumbMidFlickLeavesTheFirstFingersLaterMovesWithNothing)
{
    startExtension();
    present();
    CGPoint start = press("q", firstThumb);
    moveUp(start, 10, firstThumb);
    press("w", secondThumb);
    EXPECT_EQ(input->text, "q");
    // The first finger goes on up past the threshold and over to "e", then lifts.
    moveUp(start, 30, firstThumb);
    driver.touchMove(centerOf(key("e")), firstThumb);
    EXPECT_EQ(trackedKey(), key("w"));
    EXPECT_EQ(popupString(), "w");
    EXPECT_FALSE(alternateShown());
    driver.touchUp(firstThumb);
    EXPECT_EQ(trackedKey(), key("w"));
    // The second finger's own flick still works from where it came down.
    CGPoint second = centerOf(key("w"));
    moveUp(second, 30, secondThumb);
    EXPECT_EQ(popupString(), "2");
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, "q2");
}

TEST_F(Rollover, TrackedKeyNeverOutlivesItsTouch)
{
    startExtension();
    present(7);
    // A dropped gesture holds "@" across a band the next thumb's key lies in.
    CGPoint start = press("@", firstThumb);
    moveUp(start, 30, firstThumb);
    ASSERT_EQ(heldKey(), key("@"));
    CGPoint above { start.x, start.y - 54 };
    driver.touchDown(above, secondThumb);
    EXPECT_FALSE(heldKey());
    EXPECT_EQ(trackedKey(), key("n"));
    // Lifting the committed finger does not end the other's tracking; lifting the other does.
    driver.touchUp(firstThumb);
    EXPECT_EQ(trackedKey(), key("n"));
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, "@n");
    EXPECT_FALSE(trackedKey());

    // Shift held as a modifier: its press is cancelled and the letter is tracked.
    press("s", firstThumb);
    driver.touchUp(firstThumb);
    UIKBTree* shift = keyOn(keyplane(), "Shift-Key");
    // The letter goes down where "j" is; the shift finger turns it into "J".
    CGPoint letter = centerOf(key("j"));
    driver.touchDown(centerOf(shift), firstThumb);
    driver.touchDown(letter, secondThumb);
    EXPECT_EQ(trackedKey(), key("J"));
    moveUp(letter, 30, secondThumb);
    EXPECT_TRUE(alternateShown());

    // The keyboard leaves with both fingers down: nothing is tracked or shown.
    presenter->dismissKeyboard();
    EXPECT_FALSE(trackedKey());
    EXPECT_FALSE(heldKey());
    EXPECT_FALSE(alternateShown());
    driver.touchUp(firstThumb);
    driver.touchUp(secondThumb);
    EXPECT_EQ(input->text, "@ns");
}

} // namespace
