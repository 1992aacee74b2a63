#include "SimulatorRun.h"

#include <gtest/gtest.h>

namespace {

TEST(RunScripts, FlickAndSlideTypeAlternatesPastTheirDistancesOnly)
{
    E2EWorkspace workspace;
    SimulatorResult result
        = workspace.runScript("keyboard\n"
                              "flick q\n"
                              "flick w 24.9\n"
                              "flick e 25\n"
                              "drag r 0 -130 6      # far above the keyboard: still the flick\n"
                              "expect text \"1w34\"\n"
                              "settings gesture=2\n"
                              "slide t 5.9\n"
                              "slide y 6\n"
                              "flick u            # a slide setting: 30 points up leaves the key\n"
                              "expect text \"1w34t6\"\n"
                              "expect setting gesture=2\n"
                              "print\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(result.output, "1w34t6\n");
}

TEST(RunScripts, ShiftPressMoveAndReleaseWorkLikeAFinger)
{
    E2EWorkspace workspace;
    SimulatorResult result
        = workspace.runScript("keyboard\n"
                              "shift\n"
                              "tap H\n"
                              "tap i\n"
                              "tap space\n"
                              "shiftlock\n"
                              "flick Q           # with shift locked, the shift-lock alternate\n"
                              "unshift\n"
                              "press o\n"
                              "move 0 -10\n"
                              "move 0 -30\n"
                              "move 0 -5         # back down: the key's own string again\n"
                              "release\n"
                              "press p\n"
                              "cancel\n"
                              "tap delete\n"
                              "tap delete\n"
                              "expect text \"Hi \"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
}

TEST(RunScripts, LocaleAndOrientationChangeTheKeyboardOnScreen)
{
    E2EWorkspace workspace;
    SimulatorResult result
        = workspace.runScript("locale de_DE\n"
                              "keyboard                # German users get QWERTZ, with ü, ö and ä\n"
                              "expect alt z \"6\"\n"
                              "expect alt y \".\"\n"
                              "flick ö                 # no alternate: the key types itself\n"
                              "slide ü\n"
                              "expect text \"öü\"\n"
                              "locale fr_FR\n"
                              "expect alt a \"1\"       # and French ones AZERTY, at once\n"
                              "orientation landscape\n"
                              "flick a\n"
                              "expect text \"öü1\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;
}

TEST(RunScripts, TheKeyboardsShortcutsBringTheLettersBack)
{
    E2EWorkspace workspace;
    SimulatorResult result
        = workspace.runScript("keyboard\n"
                              "tap more\n"
                              "tap 5\n"
                              "tap space           # the letters are back\n"
                              "tap q\n"
                              "drag-to more 7      # a slide from \"123\": 7, and the letters\n"
                              "tap w\n"
                              "drag-to shift H     # from shift: one capital\n"
                              "tap i\n"
                              "expect text \"5 q7wHi\"\n");
    EXPECT_EQ(result.exitStatus, 0) << result.errors;

    // A key that is not there once the first is down is an error that lets the finger go.
    SimulatorResult unknown = workspace.runScript("keyboard\ndrag-to more q\n");
    EXPECT_EQ(unknown.exitStatus, 2);
    EXPECT_NE(
        unknown.errors.find("script.txt:2: unknown key \"q\" on the keyplane \"Numbers-And-Punctuation\""),
        std::string::npos)
        << unknown.errors;
}

TEST(RunScripts, AFailedExpectationIsStatusOneWithWhatWasThere)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\ntap q\nexpect text \"w\"\ntap e\n");
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.errors, "script.txt:3: expected text \"w\", got \"q\"\n");

    SimulatorResult alternate
        = workspace.runScript("keyboard layout=AZERTY\nexpect alt a \"1\"\nexpect alt q \"1\"\n");
    EXPECT_EQ(alternate.exitStatus, 1);
    EXPECT_EQ(
        alternate.errors, "script.txt:3: expected the key \"q\" to have the alternate \"1\", got \"-\"\n");

    SimulatorResult setting = workspace.runScript("expect setting gesture=2\n");
    EXPECT_EQ(setting.exitStatus, 1);
    EXPECT_NE(setting.errors.find(
                  "script.txt:1: expected the setting gesture=2, but there is no readable settings file"),
        std::string::npos)
        << setting.errors;
}

TEST(RunScripts, AnUnknownKeyNamesTheKeysThereAre)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\ntap q\ntap ß\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(result.errors.find(
                  "script.txt:3: unknown key \"ß\" on the keyplane \"Small-Letters\"; the keys there are: "
                  "q w e r t y u i o p a s d f g h j k l shift z x c v b n m delete more international "
                  "space return"),
        std::string::npos)
        << result.errors;
    SimulatorResult noKeyboard = workspace.runScript("tap q\n");
    EXPECT_EQ(noKeyboard.exitStatus, 2);
    EXPECT_NE(noKeyboard.errors.find("script.txt:1: no keyboard is on screen"), std::string::npos)
        << noKeyboard.errors;
    EXPECT_TRUE(runningSimulatorProcesses(workspace.path()).empty());
}

TEST(RunScripts, SnapshotsShowTheKeyboardAndItsPopup)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\n"
                                                 "snapshot plain.png\n"
                                                 "press u\n"
                                                 "move 0 -30\n"
                                                 "snapshot popup.png\n"
                                                 "release\n"
                                                 "orientation landscape\n"
                                                 "snapshot landscape.png\n");
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(screenshotSize(workspace.path() + "/plain.png"), std::make_pair(640, 1136));
    EXPECT_EQ(screenshotSize(workspace.path() + "/landscape.png"), std::make_pair(1136, 640));
    EXPECT_GT(differingPixels(workspace.path() + "/plain.png", workspace.path() + "/popup.png"), 1000);
}

} // namespace
