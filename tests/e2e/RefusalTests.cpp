#include "SimulatorRun.h"
#include "contracts/CorvaneContract.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

const std::string settingsFile = std::string("device") + contract::settingsFilePath;

// Whatever stands where the settings file goes, a listing that changes the
// settings for itself neither reads it nor writes it: it runs on a copy.
TEST(Refusals, KeysTypeModeLeavesWhateverHoldsTheSettingsPathAlone)
{
    E2EWorkspace workspace;
    std::string settings = workspace.path() + "/" + settingsFile;
    fs::create_directories(fs::path(settings).parent_path());

    ASSERT_EQ(::mkfifo(settings.c_str(), 0600), 0);
    SimulatorResult pipe
        = runSimulator({ "keys", "--type-mode", "1", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(pipe.exitStatus, 0) << pipe.errors;
    EXPECT_NE(pipe.output.find("Latin-Small-Letter-Q\tq\tQ\t"), std::string::npos) << pipe.output;
    EXPECT_TRUE(fs::is_fifo(settings));

    fs::remove(settings);
    fs::create_symlink("/dev/zero", settings);
    SimulatorResult endless
        = runSimulator({ "keys", "--type-mode", "2", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(endless.exitStatus, 0) << endless.errors;
    EXPECT_NE(endless.output.find("Latin-Small-Letter-Q\tq\t1\t1"), std::string::npos) << endless.output;
    EXPECT_EQ(fs::read_symlink(settings), "/dev/zero");

    fs::remove(settings);
    workspace.write(settingsFile, "kept byte for byte");
    SimulatorResult plain
        = runSimulator({ "keys", "--type-mode", "1", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(plain.exitStatus, 0) << plain.errors;
    EXPECT_EQ(workspace.read(settingsFile), "kept byte for byte");
}

TEST(Refusals, AScriptThatIsNotARegularFileIsRefused)
{
    E2EWorkspace workspace;
    fs::create_directories(workspace.path() + "/folder");
    SimulatorResult folder
        = runSimulator({ "run", "folder", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(folder.exitStatus, 2);
    EXPECT_NE(folder.errors.find("cannot read the script (folder is not a regular file)"), std::string::npos)
        << folder.errors;

    // Nobody writes to this pipe: reading it would wait for ever.
    std::string fifo = workspace.path() + "/pipe";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    SimulatorResult pipe
        = runSimulator({ "run", "pipe", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(pipe.exitStatus, 2);
    EXPECT_NE(pipe.errors.find("pipe is not a regular file"), std::string::npos) << pipe.errors;
}

TEST(Refusals, AHugeGestureDistanceIsAnErrorNotAnEndlessDrag)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\nflick q 10000000000\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.errors,
        "script.txt:2: expected an upward distance in points from -10000 to 10000 after \"flick\", got "
        "\"10000000000\"\n");
    EXPECT_EQ(workspace.runScript("keyboard\nslide q -10000\nflick w 10000\n").exitStatus, 0);
}

TEST(Refusals, ErrorsEchoControlCharactersEscaped)
{
    E2EWorkspace workspace;
    using namespace std::string_literals;
    SimulatorResult result = workspace.runScript("keyboard\ntap\0q\r\n"s);
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.errors,
        "script.txt:2: expected a command (locale, orientation, keyboard, settings, keyplane, "
        "shift, shiftlock, unshift, tap, tap-text, tap-beside, flick, slide, drag, drag-to, press, "
        "move, release, cancel, roll, wait, clear, type, plan, expect, print, snapshot, app, back), got "
        "\"tap\\x00q\"\n");
    SimulatorResult quoted = workspace.runScript("keyboard\nexpect text \"a\\x1b[31m\\r\"\n");
    EXPECT_EQ(quoted.exitStatus, 1);
    EXPECT_EQ(quoted.errors, "script.txt:2: expected text \"a\\x1B[31m\\r\", got \"\"\n");
}

TEST(Refusals, ASnapshotIsAPng)
{
    E2EWorkspace workspace;
    SimulatorResult result = workspace.runScript("keyboard\nsnapshot x.txt\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_EQ(result.errors,
        "script.txt:2: expected a file name ending in .png after \"snapshot\", got \"x.txt\"\n");
    EXPECT_FALSE(workspace.exists("x.txt"));
}

// An output replaces whatever is at its name: a link to a file of the
// person's is not followed, a pipe does not hold the run up.
TEST(Refusals, AnOutputReplacesALinkOrAPipeAtItsName)
{
    E2EWorkspace workspace;
    workspace.write("notes.txt", "mine\n");
    std::filesystem::create_symlink("notes.txt", workspace.path() + "/s2.png");
    ASSERT_EQ(::mkfifo((workspace.path() + "/pipe.png").c_str(), 0644), 0);
    SimulatorResult result = workspace.runScript("keyboard\nsnapshot s2.png\nsnapshot pipe.png\n");
    ASSERT_EQ(result.exitStatus, 0) << result.errors;
    EXPECT_EQ(workspace.read("notes.txt"), "mine\n");
    EXPECT_EQ(screenshotSize(workspace.path() + "/s2.png"), std::pair(640, 1136));
    EXPECT_EQ(screenshotSize(workspace.path() + "/pipe.png"), std::pair(640, 1136));
}

TEST(Refusals, OutputThatCannotBeWrittenIsAnError)
{
    E2EWorkspace workspace;
    workspace.write("script.txt", "keyboard\ntap q\nprint\n");
    SimulatorResult run = runSimulatorWithOutputTo(
        "/dev/full", { "run", "script.txt", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(run.exitStatus, 2);
    EXPECT_EQ(run.errors, "script.txt:3: cannot write the output\n");

    SimulatorResult keys = runSimulatorWithOutputTo(
        "/dev/full", { "keys", "--device", workspace.deviceRoot() }, workspace.path());
    EXPECT_EQ(keys.exitStatus, 2);
    EXPECT_EQ(keys.errors, "corvane-sim: cannot write the listing\n");

    SimulatorResult help = runSimulatorWithOutputTo("/dev/full", { "--help" }, workspace.path());
    EXPECT_EQ(help.exitStatus, 2);
}

// A device root must hold the deliverables, or the run must not start.
TEST(Refusals, AFolderWithoutTheDeliverablesIsNotRunSilently)
{
    E2EWorkspace workspace;
    workspace.write("stray/notes.txt", "someone's folder");
    workspace.write("script.txt", "keyboard\nflick q\nexpect text \"1\"\n");
    SimulatorResult stray = runSimulator({ "run", "script.txt", "--device", "stray" }, workspace.path());
    EXPECT_EQ(stray.exitStatus, 2);
    EXPECT_NE(stray.errors.find("lacks /Library/MobileSubstrate/DynamicLibraries/Corvane.dylib, "
                                "/Library/PreferenceBundles/CorvanePref.bundle/Info.plist, "
                                "/Library/PreferenceLoader/Preferences/CorvanePref.plist"),
        std::string::npos)
        << stray.errors;
    EXPECT_NE(stray.errors.find(std::string("cmake --build ") + CORVANE_BUILD_DIR + " --target package"),
        std::string::npos)
        << stray.errors;
    EXPECT_EQ(workspace.read("stray/notes.txt"), "someone's folder");
    EXPECT_FALSE(workspace.exists("stray/Library"));

    // Half there is no better: without the pane, Settings would open on its own list.
    fs::remove_all(workspace.path() + "/device/Library/PreferenceLoader");
    SimulatorResult half = workspace.runScript("app settings\n");
    EXPECT_EQ(half.exitStatus, 2);
    EXPECT_NE(
        half.errors.find("lacks /Library/PreferenceLoader/Preferences/CorvanePref.plist"), std::string::npos)
        << half.errors;
}

// The pane is there but does not load: Settings without it is not what a
// script asked for, so the script stops instead of going on without it.
TEST(Refusals, APaneThatCannotBeLoadedStopsTheScript)
{
    E2EWorkspace workspace;
    workspace.write("device/Library/PreferenceBundles/CorvanePref.bundle/CorvanePref", "not a library");
    SimulatorResult result = workspace.runScript("app settings\nexpect screen-text \"Flick up\"\n");
    EXPECT_EQ(result.exitStatus, 2);
    EXPECT_NE(
        result.errors.find("script.txt:1: Settings could not open the Corvane pane: "), std::string::npos)
        << result.errors;
}

} // namespace
