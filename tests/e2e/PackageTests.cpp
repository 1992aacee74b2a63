#include "SimulatorRun.h"

#include <algorithm>
#include <filesystem>
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
    EXPECT_EQ(control.output, "Package: com.quillfen.corvane\nDepends: mobilesubstrate, preferenceloader\n");

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

} // namespace
