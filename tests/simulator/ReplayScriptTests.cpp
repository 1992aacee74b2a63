#include "simulator/ReplayScript.h"

#include <gtest/gtest.h>

namespace {

TEST(ReplayScript, ReadsWindowEventsPausesAndSnapshots)
{
    auto parsed = ReplayScript::parse("r.txt",
        "# comment\n"
        "click 160 90.5\n"
        "press 16 380\n"
        "drag 16 350\n"
        "release 16 350\n"
        "key Tab\n"
        "pause 0.25\n"
        "window-snapshot \"shot 1.png\"\n"
        "right-press 48 380\n"
        "right-release 48 380\n"
        "quit\n");
    ASSERT_TRUE(parsed) << parsed.error().message;
    const ReplayScript& script = parsed.value();
    ASSERT_EQ(script.steps.size(), 10u);
    EXPECT_EQ(script.steps[0].kind, ReplayStep::Kind::Click);
    EXPECT_DOUBLE_EQ(script.steps[0].y, 90.5);
    EXPECT_EQ(script.steps[4].kind, ReplayStep::Kind::Key);
    EXPECT_EQ(script.steps[4].name, "Tab");
    EXPECT_DOUBLE_EQ(script.steps[5].seconds, 0.25);
    EXPECT_EQ(script.steps[6].kind, ReplayStep::Kind::WindowSnapshot);
    // Snapshots land where the person running it is.
    EXPECT_EQ(script.steps[6].name.front(), '/');
    EXPECT_NE(script.steps[6].name.find("shot 1.png"), std::string::npos);
    EXPECT_EQ(script.steps[7].kind, ReplayStep::Kind::RightPress);
    EXPECT_DOUBLE_EQ(script.steps[7].x, 48);
    EXPECT_EQ(script.steps[8].kind, ReplayStep::Kind::RightRelease);
}

TEST(ReplayScript, MistakesNameTheLineAndWhatWasExpected)
{
    EXPECT_EQ(ReplayScript::parse("r.txt", "click 1\n").error().message,
        "r.txt:1: expected a screen point X Y after \"click\"");
    EXPECT_EQ(ReplayScript::parse("r.txt", "pause\npause -1\n").error().message,
        "r.txt:1: expected a number of seconds after \"pause\"");
    EXPECT_EQ(ReplayScript::parse("r.txt", "pause -1\n").error().message,
        "r.txt:1: expected a number of seconds after \"pause\"");
    EXPECT_EQ(ReplayScript::parse("r.txt", "\nhover 1 2\n").error().message,
        "r.txt:2: expected click, press, drag, release, right-press, right-release, key, pause, "
        "resize, window-snapshot or quit, got \"hover\"");
    EXPECT_EQ(ReplayScript::parse("r.txt", "resize 640 0\n").error().message,
        "r.txt:1: expected a window size W H in pixels after \"resize\"");
    EXPECT_EQ(ReplayScript::parse("r.txt", "key\n").error().message,
        "r.txt:1: expected a key name such as Tab or r after \"key\"");
    EXPECT_EQ(ReplayScript::parse("r.txt", "quit now\n").error().message,
        "r.txt:1: expected nothing after \"quit\"");
    EXPECT_EQ(ReplayScript::load("/nonexistent/replay.txt").error().message,
        "/nonexistent/replay.txt:0: cannot read the script (cannot open /nonexistent/replay.txt: No such "
        "file or "
        "directory)");
}

} // namespace
