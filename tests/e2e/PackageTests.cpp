#include "SimulatorRun.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

namespace fs = std::filesystem;

namespace {

std::vector<std::string> sorted(std::vector<std::string> paths)
{
    std::sort(paths.begin(), paths.end());
    return paths;
}

// "dpkg-deb -c" lines end with the path, "./Library/…", folders with a slash.
std::vector<std::string> packageFiles(const std::string& listing)
{
    std::vector<std::string> files;
    std::istringstream lines(listing);
    std::string line;
    while (std::getline(lines, line)) {
        std::string path = line.substr(line.rfind(' ') + 1);
        if (path.starts_with("./") && path != "./")
            files.push_back(path.substr(2));
    }
    return sorted(files);
}

std::vector<std::string> treeFiles(const std::string& root)
{
    std::vector<std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        std::string path = fs::relative(entry.path(), root).string();
        files.push_back(entry.is_directory() ? path + "/" : path);
    }
    return sorted(files);
}

// The deliverables as the platform's users install an add-on: the package
// holds exactly what cmake --install lays out, names what it plugs into, and
// an empty device root made from it runs the whole demo.
TEST(Package, HoldsTheInstallLayoutAndAnEmptyDeviceRootMadeFromItRunsTheDemo)
{
    E2EWorkspace workspace;
    SimulatorResult built = runSimulator(
        { "--build", CORVANE_BUILD_DIR, "--target", "package" }, workspace.path(), {}, CORVANE_CMAKE_COMMAND);
    ASSERT_EQ(built.exitStatus, 0) << built.output << built.errors;
    ASSERT_TRUE(fs::is_regular_file(CORVANE_PACKAGE_FILE));

    SimulatorResult listing = runSimulator({ "-c", CORVANE_PACKAGE_FILE }, workspace.path(), {}, "dpkg-deb");
    ASSERT_EQ(listing.exitStatus, 0) << listing.errors;
    SimulatorResult installed = runSimulator({ "--install", CORVANE_BUILD_DIR, "--prefix", "installed" },
        workspace.path(), {}, CORVANE_CMAKE_COMMAND);
    ASSERT_EQ(installed.exitStatus, 0) << installed.errors;
    std::vector<std::string> files = packageFiles(listing.output);
    EXPECT_EQ(files, treeFiles(workspace.path() + "/installed"));
    EXPECT_NE(std::find(files.begin(), files.end(), "Library/MobileSubstrate/DynamicLibraries/Corvane.dylib"),
        files.end());

    SimulatorResult control = runSimulator(
        { "-f", CORVANE_PACKAGE_FILE, "Package", "Depends" }, workspace.path(), {}, "dpkg-deb");
    EXPECT_EQ(control.output,
        "Package: com.quillfen.corvane\nDepends: mobilesubstrate, preferenceloader, corvane-platform (= "
        "1.0)\n");

    fs::create_directories(workspace.path() + "/empty");
    SimulatorResult demo = runSimulator({ "demo", "--out", "shots", "--device", "empty" }, workspace.path());
    ASSERT_EQ(demo.exitStatus, 0) << demo.output << demo.errors;
    EXPECT_NE(demo.errors.find("laying out the empty device root " + workspace.path() + "/empty from "
                  + CORVANE_PACKAGE_FILE),
        std::string::npos)
        << demo.errors;
    EXPECT_NE(demo.output.find("8/8  Back to Notes: its keyboard follows too ... done"), std::string::npos)
        << demo.output;
    EXPECT_EQ(treeFiles(workspace.path() + "/empty"), treeFiles(workspace.path() + "/installed"));
}

std::string bytesOf(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

// The packages of one build, packed into a folder of the workspace.
SimulatorResult packInto(const E2EWorkspace& workspace, const std::string& folder)
{
    return runSimulator({ "--config", std::string(CORVANE_BUILD_DIR) + "/CPackConfig.cmake", "-B", folder },
        workspace.path(), {}, "cpack");
}

// Two packings of one build are the same bytes, even when the build's files
// carry other times in between (as a rebuild that changes nothing leaves
// them); the libraries are stripped, and the platform library the add-on
// needs comes in its own package, named in the add-on's dependencies.
TEST(Package, TwoPackingsOfOneBuildAreTheSameBytesWithStrippedLibraries)
{
    E2EWorkspace workspace;
    ASSERT_EQ(packInto(workspace, "first").exitStatus, 0);
    fs::path library = fs::path(CORVANE_BUILD_DIR) / "keyboard" / "Corvane.dylib";
    auto builtAt = fs::last_write_time(library);
    // Later, never earlier, so that the build does not take the library for stale.
    fs::last_write_time(library, builtAt + std::chrono::seconds(90));
    SimulatorResult second = packInto(workspace, "second");
    fs::last_write_time(library, builtAt);
    ASSERT_EQ(second.exitStatus, 0) << second.errors;

    std::string addOn = fs::path(CORVANE_PACKAGE_FILE).filename().string();
    std::string platform = "corvane-platform" + addOn.substr(addOn.find('_'));
    for (const std::string& package : { addOn, platform }) {
        std::string first = bytesOf(workspace.path() + "/first/" + package);
        ASSERT_FALSE(first.empty()) << package;
        EXPECT_TRUE(first == bytesOf(workspace.path() + "/second/" + package)) << package;
    }

    SimulatorResult unpacked = runSimulator(
        {
            "-x",
            "first/" + addOn,
            "addon",
        },
        workspace.path(), {}, "dpkg-deb");
    ASSERT_EQ(unpacked.exitStatus, 0) << unpacked.errors;
    ASSERT_EQ(
        runSimulator({ "-x", "first/" + platform, "platform" }, workspace.path(), {}, "dpkg-deb").exitStatus,
        0);
    for (const char* path : { "addon/Library/MobileSubstrate/DynamicLibraries/Corvane.dylib",
             "addon/Library/PreferenceBundles/CorvanePref.bundle/CorvanePref",
             "platform/usr/lib/libcorvane-platform.so" }) {
        SimulatorResult sections = runSimulator({ "-S", "--wide", path }, workspace.path(), {}, "readelf");
        ASSERT_EQ(sections.exitStatus, 0) << path << sections.errors;
        EXPECT_EQ(sections.output.find(".debug_info"), std::string::npos) << path;
        EXPECT_EQ(sections.output.find(".symtab"), std::string::npos) << path;
    }
}

} // namespace
