#include "simulator/typing/TouchPlanner.h"

#include <gtest/gtest.h>

namespace {

// A made-up keyboard of two keyplanes, as exploring would have read it back:
// letters, where "a" and "b" are taps and a flick on "q" types "1", and
// numbers, reached with "more", where "1" and "2" are taps, a space stays on
// numbers and "abc" goes back.
class TwoKeyplanes : public testing::Test {
protected:
    TwoKeyplanes()
    {
        letters = table.add({ "Letters", false, false, false });
        numbers = table.add({ "Numbers", false, false, false });
        table.outcomes[letters] = { outcome(TouchKind::Tap, "a", "a", letters),
            outcome(TouchKind::Tap, "b", "b", letters), outcome(TouchKind::Flick, "q", "1", letters),
            outcome(TouchKind::Tap, "q", "q", letters), outcome(TouchKind::Tap, "space", " ", letters),
            outcome(TouchKind::Tap, "more", "", numbers) };
        table.outcomes[numbers] = { outcome(TouchKind::Tap, "1", "1", numbers),
            outcome(TouchKind::Tap, "2", "2", numbers), outcome(TouchKind::Tap, "space", " ", numbers),
            outcome(TouchKind::Tap, "more", "", letters) };
    }

    static TouchOutcome outcome(
        TouchKind kind, const std::string& key, const std::string& typed, std::size_t next)
    {
        return { { KeyTouch { kind, 0, 0, key, {}, {}, 0, {}, {}, {} } }, typed, next };
    }

    static std::string touchesOf(const TouchPlan& plan)
    {
        std::string words;
        for (const PlannedStep& step : plan.steps) {
            for (const KeyTouch& touch : step.touches)
                words += (words.empty() ? "" : ", ") + touch.description();
        }
        return words;
    }

    TouchTable table;
    std::size_t letters { 0 };
    std::size_t numbers { 0 };
};

TEST_F(TwoKeyplanes, TakeTheFewestTouchesOverTheWholeText)
{
    EXPECT_EQ(touchesOf(planTouches(table, "a1")), "tap a, flick q");
    EXPECT_EQ(planTouches(table, "1 2").touchCount(), 4U);
    EXPECT_EQ(touchesOf(planTouches(table, "1 2", numbers)), "tap 1, tap space, tap 2");
    EXPECT_EQ(touchesOf(planTouches(table, "2a", numbers)), "tap 2, tap more, tap a");
    EXPECT_EQ(planTouches(table, "").steps.size(), 0U);
}

TEST_F(TwoKeyplanes, LockShiftForARunOfCapitalsWhereThatIsShorter)
{
    // Shift shifts one letter; shift again at once locks it, as exploring reads back a double tap.
    std::size_t shifted = table.add({ "Capitals", true, false });
    std::size_t locked = table.add({ "Capitals", true, true });
    table.outcomes[letters].push_back(outcome(TouchKind::Tap, "shift", "", shifted));
    for (const char* capital : { "A", "B", "C" }) {
        table.outcomes[shifted].push_back(outcome(TouchKind::Tap, capital, capital, letters));
        table.outcomes[locked].push_back(outcome(TouchKind::Tap, capital, capital, locked));
    }
    table.outcomes[shifted].push_back(outcome(TouchKind::Tap, "shift", "", locked));
    table.outcomes[locked].push_back(outcome(TouchKind::Tap, "shift", "", letters));
    EXPECT_EQ(touchesOf(planTouches(table, "Ab")), "tap shift, tap A, tap b");
    // A letter at a time would take six touches.
    EXPECT_EQ(touchesOf(planTouches(table, "ABC")), "tap shift, tap shift, tap A, tap B, tap C");
    EXPECT_EQ(touchesOf(planTouches(table, "ABCAb")),
        "tap shift, tap shift, tap A, tap B, tap C, tap A, tap shift, tap b");
}

TEST_F(TwoKeyplanes, PreferATapToAGestureThatTypesAsMuch)
{
    table.outcomes[letters].insert(
        table.outcomes[letters].begin(), outcome(TouchKind::Flick, "b", "a", letters));
    EXPECT_EQ(touchesOf(planTouches(table, "aa")), "tap a, tap a");
}

TEST_F(TwoKeyplanes, CountAPairOfTouchesAsTwo)
{
    // A shift that only works rolled into the next key: two touches for "B",
    // which loses to a single touch typing the same.
    std::size_t capitals = table.add({ "Capitals", true, false });
    table.outcomes[letters].push_back({ { KeyTouch { TouchKind::Tap, 0, 0, "shift", {}, {}, 0, {}, {}, {} },
                                            KeyTouch { TouchKind::Tap, 1, 0, "B", {}, {}, 0, {}, {}, {} } },
        "B", letters });
    TouchPlan plan = planTouches(table, "aB");
    EXPECT_EQ(touchesOf(plan), "tap a, tap shift, tap B");
    EXPECT_EQ(plan.touchCount(), 3U);
    table.outcomes[letters].push_back(outcome(TouchKind::Slide, "b", "B", letters));
    EXPECT_EQ(planTouches(table, "aB").touchCount(), 2U);
    EXPECT_EQ(capitals, 2U);
}

TEST_F(TwoKeyplanes, NameTheFirstCharacterNoTouchGetsPast)
{
    TouchPlan plan = planTouches(table, "ab1\xC3\xA9z");
    EXPECT_TRUE(plan.steps.empty());
    ASSERT_TRUE(plan.untypable);
    EXPECT_EQ(plan.untypable->offset, 3U);
    EXPECT_EQ(plan.untypable->character, "\xC3\xA9");
    // A start the table does not know types nothing.
    EXPECT_TRUE(planTouches(table, "a", 7).untypable);
    EXPECT_FALSE(planTouches(table, "", 7).untypable);
}

} // namespace
