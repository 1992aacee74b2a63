#include "simulator/typing/TouchPlanner.h"
#include "simulator/typing/TwoThumbClock.h"

#include <gtest/gtest.h>

namespace {

// Keys 32 points wide on a keyboard whose middle is at x = 160.
constexpr double keyWidth = 32;
constexpr double middle = 160;
// One millimetre on the device's screen, in points.
constexpr double millimetre = 163 / 25.4;

KeyTouch touchAt(TouchKind kind, double x, double y, double liftX, double liftY)
{
    KeyTouch touch;
    touch.kind = kind;
    touch.keyName = "k";
    touch.path.down = { static_cast<CGFloat>(x), static_cast<CGFloat>(y) };
    touch.path.lift = { static_cast<CGFloat>(liftX), static_cast<CGFloat>(liftY) };
    touch.path.keyWidth = keyWidth;
    touch.path.keyboardMiddle = middle;
    return touch;
}

KeyTouch tapAt(double x, double y = 100)
{
    return touchAt(TouchKind::Tap, x, y, x, y);
}

TEST(TouchTimeModel, AimsByFittsLawInPointsAndStrokesInMillimetres)
{
    TouchTimeModel model;
    // A thumb not used yet starts over its key; otherwise a + b log2(A/W + 1).
    EXPECT_EQ(model.movementMs(std::nullopt, keyWidth), 176);
    EXPECT_EQ(model.movementMs(0.0, keyWidth), 176);
    EXPECT_EQ(model.movementMs(32.0, keyWidth), 240);
    EXPECT_EQ(model.movementMs(64.0, keyWidth), 277);
    // m L^n with L in millimetres: a stroke of one is m.
    EXPECT_EQ(model.strokeMs(millimetre), 69);
    EXPECT_EQ(model.strokeMs(8 * millimetre), 182);
    EXPECT_EQ(model.strokeMs(0), 0);
    // Fewer points to the inch make the same stroke longer on the glass.
    EXPECT_EQ(model.scaled(TouchTimeModel::PointsPerInch, 0.5).strokeMs(millimetre), 95);
    EXPECT_EQ(model.scaled(TouchTimeModel::FittsSlope, 1.5).movementMs(32.0, keyWidth), 272);
    EXPECT_EQ(model.coefficient(TouchTimeModel::FittsSlope), 64);
}

TEST(TouchTimeModel, GivesEachTouchToTheThumbOfItsHalf)
{
    EXPECT_EQ(thumbAt(159.5, middle), Thumb::Left);
    EXPECT_EQ(thumbAt(160, middle), Thumb::Right);
    EXPECT_EQ(thumbOf(tapAt(300).path), Thumb::Right);
    // The half where the touch goes down counts, not where it lifts.
    EXPECT_EQ(thumbOf(touchAt(TouchKind::SlideOnto, 20, 100, 300, 60).path), Thumb::Left);
}

TEST(TwoThumbClock, OneThumbTypesInSeriesAndTwoInParallel)
{
    TwoThumbClock sameThumb;
    EXPECT_EQ(sameThumb.touch(tapAt(20)), 176);
    EXPECT_EQ(sameThumb.touch(tapAt(84)), 176 + 277);

    // The right thumb travels while the left one types: only the alternation
    // minimum separates the two touches, not a whole movement.
    TwoThumbClock alternating;
    alternating.touch(tapAt(20));
    EXPECT_EQ(alternating.touch(tapAt(240)), 176 + 88);
    // Back to the left thumb, free since 176 and 32 points away: its movement
    // ends after the floor would.
    EXPECT_EQ(alternating.touch(tapAt(52)), 176 + 240);
}

TEST(TwoThumbClock, AddsTheStrokeAndTheLongPressAfterTheMovement)
{
    TwoThumbClock flick;
    EXPECT_EQ(flick.touch(touchAt(TouchKind::Flick, 20, 100, 20, 100 - millimetre)), 176 + 69);
    // The thumb rests where it lifted: a millimetre above the key it comes back to.
    EXPECT_EQ(flick.touch(tapAt(20)), 176 + 69 + 193);

    TwoThumbClock variant;
    EXPECT_EQ(
        variant.touch(touchAt(TouchKind::Variant, 300, 100, 300 + 8 * millimetre, 100)), 176 + 750 + 182);
}

TEST(TwoThumbClock, TimesAPlanTouchByTouch)
{
    TouchPlan plan;
    plan.steps.push_back({ { tapAt(20), tapAt(300) }, "ab", 0 });
    plan.steps.push_back({ { tapAt(52) }, "c", 0 });
    plan.steps.push_back(
        { { touchAt(TouchKind::Flick, 300, 100, 300, 100 - millimetre), tapAt(300) }, "de", 0 });
    // Worked by hand: left 176; right max(0 + 176, 176 + 88) = 264; left
    // max(176 + 240, 264 + 88) = 416; right flick max(264 + 176, 416 + 88) + 69
    // = 573; right again from a millimetre away, 573 + 193 = 766.
    EXPECT_EQ(timeOf(plan), 766);
    EXPECT_EQ(timeOf(TouchPlan {}), 0);
    // A floor of 132: right at 308, left at 440, the flick down at 572 and up at 641, 834.
    EXPECT_EQ(timeOf(plan, TouchTimeModel().scaled(TouchTimeModel::AlternationMinimum, 1.5)), 834);
}

} // namespace
