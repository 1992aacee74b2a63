#include "simulator/typing/TimePlanner.h"
#include "simulator/typing/TwoThumbClock.h"

#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <random>

namespace {

// A made-up keyboard 320 points wide with its keys where a phone has them:
// letters with a and q on the left and b and h on the right, a flick on q
// typing "1", shift and "more" bottom left, a space in the middle; the
// numbers keyplane with 1 and 2. Shift shifts one letter; a slide from shift
// or "more" types a key of their keyplane and goes back.
class ThumbKeyboard : public testing::Test {
protected:
    ThumbKeyboard()
    {
        letters = table.add({ "Letters", false, false, false });
        shifted = table.add({ "Letters", true, false, false });
        numbers = table.add({ "Numbers", false, false, false });
        const CGPoint a { 40, 100 }, q { 20, 40 }, b { 250, 100 }, h { 180, 100 }, shift { 20, 200 },
            more { 20, 250 }, space { 160, 250 }, one { 20, 40 }, two { 250, 40 };
        table.outcomes[letters] = { tap("a", a, "a", letters), tap("b", b, "b", letters),
            tap("h", h, "h", letters), tap("q", q, "q", letters),
            gesture(TouchKind::Flick, "q", q, { 20, -10 }, "1", letters), tap("space", space, " ", letters),
            tap("shift", shift, "", shifted), tap("more", more, "", numbers),
            gesture(TouchKind::SlideOnto, "shift", shift, h, "H", letters),
            gesture(TouchKind::SlideOnto, "more", more, two, "2", letters) };
        table.outcomes[shifted] = { tap("A", a, "A", letters), tap("H", h, "H", letters),
            tap("shift", shift, "", letters), tap("space", space, " ", shifted) };
        table.outcomes[numbers] = { tap("1", one, "1", numbers), tap("2", two, "2", numbers),
            tap("space", space, " ", letters), tap("more", more, "", letters) };
    }

    static KeyTouch touch(TouchKind kind, const std::string& key, CGPoint down, CGPoint lift)
    {
        KeyTouch made;
        made.kind = kind;
        made.keyName = key;
        made.targetName = "x";
        made.path = { down, lift, key == "space" ? 150.0 : 32.0, 160 };
        return made;
    }
    static TouchOutcome tap(const std::string& key, CGPoint at, const std::string& typed, std::size_t next)
    {
        return { { touch(TouchKind::Tap, key, at, at) }, typed, next };
    }
    static TouchOutcome gesture(TouchKind kind, const std::string& key, CGPoint down, CGPoint lift,
        const std::string& typed, std::size_t next)
    {
        return { { touch(kind, key, down, lift) }, typed, next };
    }

    static std::string touchesOf(const TouchPlan& plan)
    {
        std::string words;
        for (const PlannedStep& step : plan.steps) {
            for (const KeyTouch& each : step.touches)
                words += (words.empty() ? "" : ", ") + each.description();
        }
        return words;
    }

    // The least time of every plan of the text with at most two switching
    // touches in a row, tried one by one.
    std::int64_t fastestByTrying(const std::string& text)
    {
        std::int64_t best = std::numeric_limits<std::int64_t>::max();
        TouchPlan plan;
        std::function<void(std::size_t, std::size_t, int)> tryFrom
            = [&](std::size_t offset, std::size_t state, int switches) {
                  if (offset == text.size()) {
                      best = std::min(best, timeOf(plan));
                      return;
                  }
                  for (const TouchOutcome& outcome : table.outcomes[state]) {
                      bool types = !outcome.typed.empty() && text.substr(offset).starts_with(outcome.typed);
                      if (!types && (!outcome.typed.empty() || switches == 2))
                          continue;
                      plan.steps.push_back({ outcome.touches, outcome.typed, outcome.nextState });
                      tryFrom(offset + outcome.typed.size(), outcome.nextState, types ? 0 : switches + 1);
                      plan.steps.pop_back();
                  }
              };
        tryFrom(0, letters, 0);
        return best;
    }

    TouchTable table;
    std::size_t letters { 0 };
    std::size_t shifted { 0 };
    std::size_t numbers { 0 };
};

TEST_F(ThumbKeyboard, TakeTwoQuickTapsOverOneLongSlide)
{
    // The slide from shift onto H is one touch, but its stroke crosses the
    // keyboard; a tap on shift by the left thumb and on H by the right is quicker.
    EXPECT_EQ(touchesOf(planTouches(table, "H")), "drag-to shift x");
    TouchPlan fastest = planFastest(table, "H");
    EXPECT_EQ(touchesOf(fastest), "tap shift, tap H");
    EXPECT_EQ(timeOf(fastest), 176 + 88);
    EXPECT_EQ(timeOf(planTouches(table, "H")), 176 + 336);
    // Where the time is the same, the fewer touches and the lesser effort win,
    // as in the plan for touches.
    EXPECT_EQ(touchesOf(planFastest(table, "a")), "tap a");
    table.outcomes[letters].insert(table.outcomes[letters].begin(),
        gesture(TouchKind::Flick, "b", { 40, 100 }, { 40, 100 }, "a", letters));
    EXPECT_EQ(touchesOf(planFastest(table, "aa")), "tap a, tap a");
}

TEST_F(ThumbKeyboard, FindTheFastestPlanOfAll)
{
    std::vector<std::string> texts { "a1", "1a", "H1", "aH", "q1 2", "1 12", "hA", "b2a", "2 1", "Hab",
        "aq1" };
    std::mt19937 random(7);
    const std::string characters = "abhq12AH ";
    while (texts.size() < 100) {
        std::string text;
        for (std::size_t length = 3 + random() % 6; length > 0; --length)
            text += characters[random() % characters.size()];
        texts.push_back(text);
    }
    for (const std::string& text : texts) {
        TouchPlan fastest = planFastest(table, text);
        EXPECT_EQ(timeOf(fastest), fastestByTrying(text)) << text << ": " << touchesOf(fastest);
    }
}

TEST_F(ThumbKeyboard, AreNeverSlowerThanTheFewestTouches)
{
    std::mt19937 random(29);
    const std::string characters = "abhqAH12 ";
    for (int round = 0; round < 200; ++round) {
        std::string text;
        for (std::size_t length = random() % 24; length > 0; --length)
            text += characters[random() % characters.size()];
        TouchPlan fastest = planFastest(table, text);
        TouchPlan fewest = planTouches(table, text);
        ASSERT_FALSE(fastest.untypable) << text;
        std::string typed;
        for (const PlannedStep& step : fastest.steps)
            typed += step.typed;
        EXPECT_EQ(typed, text);
        EXPECT_LE(timeOf(fastest), timeOf(fewest)) << text;
        EXPECT_EQ(touchesOf(planFastest(table, text)), touchesOf(fastest));
    }
}

TEST_F(ThumbKeyboard, NameTheFirstCharacterNoTouchGetsPast)
{
    TouchPlan plan = planFastest(table, "ab\xC3\xA9z");
    ASSERT_TRUE(plan.untypable);
    EXPECT_EQ(plan.untypable->offset, 2U);
    EXPECT_EQ(plan.untypable->character, "\xC3\xA9");
    EXPECT_TRUE(planFastest(table, "a", 9).untypable);
    EXPECT_TRUE(planFastest(table, "").steps.empty());
}

} // namespace
