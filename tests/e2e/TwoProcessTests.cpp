#include "SimulatorRun.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <unistd.h>

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

// The device has one clock: whatever time typing takes in one app (rolled
// touches, a long press held for a variant, the typist exploring the keyboard
// to plan) passes for the other apps too, so a key held down in Notes
// meanwhile offers its variants and types "é".
TEST(TwoProcesses, TimeTypingTakesInOneAppPassesInTheOthers)
{
    E2EWorkspace workspace;
    std::string script = "app notes\nkeyboard\n";
    for (const char* typing : { "roll \"ab\"", "type --roll \"ab\"", "type \"\xC3\xA9\"", "plan \"ab\"" }) {
        script += std::string("app notes\nclear\npress e\napp test\nkeyboard\n") + typing + "\n";
        script += "app notes\nrelease\nprint\n";
    }
    SimulatorResult result = workspace.runScript(script);
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output, "\xC3\xA9\n\xC3\xA9\n\xC3\xA9\ntap a\ntap b\npredicted 264 ms\n\xC3\xA9\n");
}

// When another user owns the folder where this user's processes listen (an
// earlier run as that user made it), the keyboard would miss every change
// made elsewhere; the script stops at once and says why, and the app's own
// log says it too.
TEST(TwoProcesses, AKeyboardThatCannotListenStopsTheScript)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "handing the folder to another user takes the superuser";
    E2EWorkspace workspace;
    std::string folder = workspace.deviceRoot() + "/var/run/corvane-notify-" + std::to_string(::geteuid());
    std::filesystem::create_directories(folder);
    ASSERT_EQ(::chown(folder.c_str(), 65534, 65534), 0);
    SimulatorResult result = workspace.runScript("app notes\nkeyboard\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.errors.find("script.txt:1: the notes app's keyboard cannot hear settings changes: "
                  + folder + " belongs to another user"),
        std::string::npos)
        << result.errors;
    EXPECT_NE(result.errors.find("Darwin notifications: this process cannot listen"), std::string::npos)
        << result.errors;
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

} // namespace
