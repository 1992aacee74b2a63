#include "SimulatorRun.h"

#include <gtest/gtest.h>

namespace {

// Two app processes of one device: a change made in one reaches the other's
// keyboard through the settings file and the Darwin notification, without
// a restart.
TEST(TwoProcesses, ASettingsChangeInOneAppReachesTheKeyboardOfTheOther)
{
    E2EWorkspace workspace;
    SimulatorResult result
        = workspace.runScript("app notes\n"
                              "keyboard\n"
                              "flick q\n"
                              "slide w\n"
                              "expect text \"1w\"\n"
                              "app test            # a second process; the notes app keeps running\n"
                              "keyboard\n"
                              "settings gesture=2 type=1\n"
                              "app notes\n"
                              "slide e\n"
                              "expect text \"1wE\"\n"
                              "expect setting type=1\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

TEST(TwoProcesses, TheSentenceInSettingsChangesTheNotesKeyboard)
{
    E2EWorkspace workspace;
    SimulatorResult result
        = workspace.runScript("app notes\n"
                              "keyboard\n"
                              "app settings\n"
                              "expect screen-text \"on a key on the keyboard to\"\n"
                              "tap-text \"Flick up\"     # drawn by the button itself, which names it\n"
                              "expect screen-text \"Slide up\"\n"
                              "expect setting gesture=2\n"
                              "tap-text \"Test Keyboard\"\n"
                              "slide q\n"
                              "expect text \"1\"\n"
                              "back\n"
                              "expect screen-text \"Corvane\"\n"
                              "app notes\n"
                              "slide w\n"
                              "flick e\n"
                              "expect text \"2\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

} // namespace
