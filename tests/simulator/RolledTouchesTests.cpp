#include "simulator/RolledTouches.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

// When each finger event of a roll happens, and what it is.
std::vector<std::string> timeline(const std::vector<TouchStep>& steps)
{
    const char* phases[] = { "down", "move", "still", "up", "cancel" };
    std::vector<std::string> lines;
    for (const TouchStep& step : steps) {
        lines.push_back(std::to_string(std::lround(step.time * 1000)) + " " + std::to_string(step.finger)
            + " " + phases[static_cast<int>(step.phase)] + " "
            + std::to_string(static_cast<int>(step.point.x)) + ","
            + std::to_string(static_cast<int>(step.point.y)));
    }
    return lines;
}

TEST(RolledTouches, ThumbsTakeTurnsAndEachKeyGoesDownBeforeTheOneBeforeComesUp)
{
    std::vector<KeyStroke> strokes { { { 10, 400 }, 0 }, { { 50, 400 }, 0 }, { { 90, 450 }, 0 } };
    EXPECT_EQ(timeline(rollKeyStrokes(strokes)),
        (std::vector<std::string> { "0 1 down 10,400", "100 2 down 50,400", "150 1 up 10,400",
            "200 1 down 90,450", "250 2 up 50,400", "350 1 up 90,450" }));
}

TEST(RolledTouches, GesturesMoveStraightUpBeforeTheNextKeyGoesDown)
{
    std::vector<KeyStroke> strokes { { { 10, 400 }, 30 }, { { 50, 400 }, 0 } };
    EXPECT_EQ(timeline(rollKeyStrokes(strokes)),
        (std::vector<std::string> { "0 1 down 10,400", "10 1 move 10,395", "20 1 move 10,390",
            "30 1 move 10,385", "40 1 move 10,380", "50 1 move 10,375", "60 1 move 10,370",
            "100 2 down 50,400", "150 1 up 10,370", "250 2 up 50,400" }));
    EXPECT_TRUE(rollKeyStrokes({}).empty());
}

} // namespace
