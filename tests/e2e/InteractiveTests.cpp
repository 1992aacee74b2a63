#include "SimulatorRun.h"
#include "platform/graphics/CGImage.h"

#include <cstdlib>
#include <gtest/gtest.h>

namespace {

TEST(Interactive, WithoutADisplayItSaysWhatToDoInsteadOfCrashing)
{
    E2EWorkspace workspace;
    SimulatorResult result = runSimulator({ "interactive", "--device", workspace.deviceRoot() },
        workspace.path(), { "DISPLAY=", "WAYLAND_DISPLAY=" });
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.errors.find("interactive needs a display, and none was found"), std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("xvfb-run -a corvane-sim interactive"), std::string::npos);
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

bool hasVirtualDisplay()
{
    return std::system("command -v xvfb-run >/dev/null 2>&1") == 0;
}

// The window under a virtual display, played from the workspace's replay.txt.
SimulatorResult runReplayOnVirtualDisplay(
    const E2EWorkspace& workspace, const std::string& screen = "1280x1024")
{
    return runSimulator({ "-a", "-s", "-screen 0 " + screen + "x24", CORVANE_SIM_PATH, "interactive",
                            "--device", workspace.deviceRoot(), "--replay", "replay.txt" },
        workspace.path(), {}, "xvfb-run");
}

// The window on a virtual display, with the mouse played from a replay
// file: a click on the Notes field brings up the keyboard, a press and an
// upward drag on "q" types its alternate, and the window's own pixels show it.
TEST(Interactive, AClickAndAFlickInTheWindowUnderAVirtualDisplay)
{
    if (!hasVirtualDisplay())
        GTEST_SKIP()
            << "xvfb-run is not installed (tools/bootstrap installs it), so there is no display to test on";
    E2EWorkspace workspace;
    workspace.write("replay.txt",
        "pause 0.3\n"
        "window-snapshot before.png\n"
        "key Tab            # to the Notes app\n"
        "pause 0.3\n"
        "click 160 90       # its text field\n"
        "pause 0.3\n"
        "press 16 380       # q, top left of the keyboard\n"
        "drag 16 370\n"
        "drag 16 350\n"
        "release 16 350\n"
        "pause 0.3\n"
        "window-snapshot after.png\n"
        "key Escape\n");
    SimulatorResult result = runReplayOnVirtualDisplay(workspace);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    auto [width, height] = screenshotSize(workspace.path() + "/after.png");
    EXPECT_EQ(width * 568, height * 320) << width << "x" << height;
    // The keyboard came up: the lower part of the window changed a lot.
    EXPECT_GT(differingPixels(workspace.path() + "/before.png", workspace.path() + "/after.png"),
        width * height / 10);
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

// The right button holds a second finger: held on shift while the left
// button taps a letter, it makes a capital; `P` prints the text.
TEST(Interactive, TheRightButtonHoldsShiftWhileTheLeftTypes)
{
    if (!hasVirtualDisplay())
        GTEST_SKIP()
            << "xvfb-run is not installed (tools/bootstrap installs it), so there is no display to test on";
    E2EWorkspace workspace;
    workspace.write("replay.txt",
        "key Tab            # to the Notes app\n"
        "pause 0.3\n"
        "click 160 90       # its text field\n"
        "pause 0.3\n"
        "right-press 20 487 # shift, bottom left of the letters\n"
        "click 192 433      # h\n"
        "right-release 20 487\n"
        "click 224 433      # j\n"
        "pause 0.3\n"
        "key p\n"
        "key Escape\n");
    SimulatorResult result = runReplayOnVirtualDisplay(workspace);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_NE(result.output.find("\nHj\n"), std::string::npos) << result.output;
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

// A 1920 x 1080 screen has room for the phone at 1.75 pixels a point. The
// window draws it at that scale, and at whatever scale fills it after a
// resize, centred; the screenshot key never replaces a file.
TEST(Interactive, OpensAsLargeAsTheScreenAllowsAndFollowsAResize)
{
    if (!hasVirtualDisplay())
        GTEST_SKIP()
            << "xvfb-run is not installed (tools/bootstrap installs it), so there is no display to test on";
    E2EWorkspace workspace;
    workspace.write("corvane-sim-screenshot-1.png", "an earlier picture");
    workspace.write("replay.txt",
        "pause 0.3\n"
        "window-snapshot opened.png\n"
        "key s\n"
        "resize 800 700\n"
        "pause 0.3\n"
        "window-snapshot resized.png\n"
        "click 160 284      # the middle of the screen, whatever the scale\n"
        "key Escape\n");
    SimulatorResult result = runReplayOnVirtualDisplay(workspace, "1920x1080");
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(screenshotSize(workspace.path() + "/opened.png"), std::make_pair(560, 994));

    // 700 / 568 points: 1.232 pixels a point, 394 pixels wide in the middle of 800.
    std::string resized = workspace.path() + "/resized.png";
    ASSERT_EQ(screenshotSize(resized), std::make_pair(800, 700));
    CGImageRef picture = CGImageCreateWithPNGFile(resized);
    ASSERT_TRUE(picture);
    auto isBlack = [&](std::size_t x, std::size_t y) {
        return (CGImageGetPixel(picture, x, y).argb() & 0xFFFFFF) == 0;
    };
    EXPECT_TRUE(isBlack(10, 350) && isBlack(790, 350)) << "the sides are the window's own";
    EXPECT_FALSE(isBlack(400, 40)) << "the phone is in the middle";

    EXPECT_EQ(workspace.read("corvane-sim-screenshot-1.png"), "an earlier picture");
    EXPECT_EQ(screenshotSize(workspace.path() + "/corvane-sim-screenshot-2.png"), std::make_pair(640, 1136));
    EXPECT_NE(
        result.output.find("saved " + workspace.path() + "/corvane-sim-screenshot-2.png"), std::string::npos)
        << result.output;
}

} // namespace
