#include "SimulatorRun.h"
#include "contracts/CorvaneContract.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

const char* screenshots[] = {
    "01-settings-pane.png",
    "02-test-keyboard.png",
    "03-flick-shows-alternate.png",
    "04-typed-with-flicks.png",
    "05-notes-flick.png",
    "06-sentence-changed.png",
    "07-settings-slide-shifted.png",
    "08-notes-slide-shifted.png",
};

std::string shot(const E2EWorkspace& workspace, const char* name)
{
    return workspace.path() + "/shots/" + name;
}

TEST(Demo, RunsToTheEndAndLeavesScreenshotsTranscriptAndNothingRunning)
{
    E2EWorkspace workspace;
    SimulatorResult result
        = runSimulator({ "demo", "--out", "shots", "--device", workspace.deviceRoot() }, workspace.path());
    ASSERT_EQ(result.exitStatus, 0) << result.output << result.errors;
    EXPECT_NE(result.output.find("8/8  Back to Notes: its keyboard follows too ... done"), std::string::npos)
        << result.output;
    EXPECT_NE(result.output.find("are in " + workspace.path() + "/shots/"), std::string::npos)
        << result.output;

    // Every screenshot is the whole screen at 2x.
    for (const char* name : screenshots)
        EXPECT_EQ(screenshotSize(shot(workspace, name)), std::make_pair(640, 1136)) << name;
    // The keyboard came up; the pop-up showed; the sentence changed; Notes looks unlike Settings.
    EXPECT_GT(differingPixels(shot(workspace, screenshots[0]), shot(workspace, screenshots[1])), 50000);
    EXPECT_GT(differingPixels(shot(workspace, screenshots[1]), shot(workspace, screenshots[2])), 1000);
    EXPECT_GT(differingPixels(shot(workspace, screenshots[3]), shot(workspace, screenshots[5])), 1000);
    EXPECT_GT(differingPixels(shot(workspace, screenshots[4]), shot(workspace, screenshots[5])), 50000);

    std::string transcript = workspace.read("shots/transcript.txt");
    EXPECT_NE(transcript.find("The field now holds: \"Meet at 7:45, ok?\""), std::string::npos) << transcript;
    EXPECT_NE(transcript.find("The field now holds: \"Hi 1 Yes\""), std::string::npos) << transcript;
    for (const char* name : screenshots)
        EXPECT_NE(transcript.find(std::string("Screenshot: ") + name), std::string::npos) << name;
    EXPECT_TRUE(workspace.exists("shots/demo-script.txt"));

    // The demo worked on a copy: the device root it was given is untouched.
    EXPECT_FALSE(workspace.exists(std::string("device") + contract::settingsFilePath));
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

// The demo's folder is the person's too: a second demo replaces what the
// first wrote and nothing else, and a file the person changed is theirs.
TEST(Demo, ReplacesOnlyWhatAnEarlierDemoWroteAsItLeftIt)
{
    E2EWorkspace workspace;
    std::vector<std::string> arguments { "demo", "--out", "shots", "--device", workspace.deviceRoot() };
    ASSERT_EQ(runSimulator(arguments, workspace.path()).exitStatus, 0);
    workspace.write("shots/my-note.txt", "not the demo's");
    SimulatorResult again = runSimulator(arguments, workspace.path());
    ASSERT_EQ(again.exitStatus, 0) << again.errors;
    EXPECT_EQ(workspace.read("shots/my-note.txt"), "not the demo's");
    EXPECT_EQ(screenshotSize(shot(workspace, screenshots[7])), std::make_pair(640, 1136));

    workspace.write("shots/transcript.txt", "my own notes on the demo");
    SimulatorResult changed = runSimulator(arguments, workspace.path());
    EXPECT_EQ(changed.exitStatus, 2);
    EXPECT_NE(changed.errors.find("corvane-sim: shots/transcript.txt was changed since the demo wrote it"),
        std::string::npos)
        << changed.errors;
    EXPECT_EQ(workspace.read("shots/transcript.txt"), "my own notes on the demo");
    EXPECT_EQ(screenshotSize(shot(workspace, screenshots[0])), std::make_pair(640, 1136));
}

TEST(Demo, RefusesAFolderItDidNotWriteAndTouchesNothingInIt)
{
    E2EWorkspace workspace;
    workspace.write("pics/12-holiday.png", "x");
    workspace.write("pics/transcript.txt", "mine");
    SimulatorResult result
        = runSimulator({ "demo", "--out", "pics", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.errors,
        "corvane-sim: the output folder pics already holds 12-holiday.png, transcript.txt, which no demo "
        "wrote; "
        "give --out a new or empty folder, so that nothing of yours is replaced\n");
    EXPECT_EQ(workspace.read("pics/12-holiday.png"), "x");
    EXPECT_EQ(workspace.read("pics/transcript.txt"), "mine");
    EXPECT_FALSE(workspace.exists("pics/.corvane-demo-files"));
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

} // namespace
