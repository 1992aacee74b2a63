#include "SimulatorRun.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

// `cmake --install` lays out a device root that corvane-sim boots as it is.
TEST(InstallLayout, AnInstalledDeviceRootBootsWithTheExtensionAndThePane)
{
    E2EWorkspace workspace;
    std::string root = workspace.path() + "/installed";
    SimulatorResult install = runSimulator(
        { "--install", CORVANE_BUILD_DIR, "--prefix", root }, workspace.path(), {}, CORVANE_CMAKE_COMMAND);
    ASSERT_EQ(install.exitStatus, 0) << install.output << install.errors;
    EXPECT_TRUE(workspace.exists("installed/Library/MobileSubstrate/DynamicLibraries/Corvane.dylib"));
    EXPECT_TRUE(workspace.exists("installed/Library/MobileSubstrate/DynamicLibraries/Corvane.plist"));
    EXPECT_TRUE(workspace.exists("installed/Library/PreferenceBundles/CorvanePref.bundle/Info.plist"));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/Library/PreferenceLoader/Preferences"));
    EXPECT_TRUE(std::filesystem::is_directory(root + "/var/mobile/Library/Preferences"));

    workspace.write("script.txt",
        "keyboard\nflick p\nexpect text \"0\"\n"
        "app settings\nexpect screen-text \"Test Keyboard\"\n");
    SimulatorResult run = runSimulator({ "run", "script.txt", "--device", root }, workspace.path());
    EXPECT_EQ(run.exitStatus, 0) << run.errors;
    EXPECT_EQ(run.errors, "");
}

} // namespace
