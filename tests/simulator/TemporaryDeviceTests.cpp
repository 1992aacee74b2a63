#include "contracts/CorvaneContract.h"
#include "simulator/TemporaryDevice.h"
#include "tests/support/ChildProcess.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// A device root with the deliverables and what a device gathers besides:
// settings, a refused file the pane kept (mode 000), a socket folder, a file
// of the person's own.
// The settings file, under the root.
const std::string settingsFile = std::string(contract::settingsFilePath).substr(1);

class DeviceWithClutter {
public:
    DeviceWithClutter()
    {
        std::string pattern = (fs::temp_directory_path() / "corvane-clutter-XXXXXX").string();
        m_root = ::mkdtemp(pattern.data());
        fs::permissions(m_root, fs::perms(0755));
        add("Library/MobileSubstrate/DynamicLibraries/Corvane.dylib", "library");
        add("Library/PreferenceBundles/CorvanePref.bundle/Info.plist", "pane");
        add("Library/PreferenceLoader/Preferences/CorvanePref.plist", "entry");
        fs::create_symlink("Corvane.dylib", m_root / "Library/MobileSubstrate/DynamicLibraries/Alias.dylib");
        add(settingsFile, "settings");
        add(settingsFile + ".refused", "refused");
        fs::permissions(m_root / (settingsFile + ".refused"), fs::perms::none);
        fs::create_directories(m_root / "var/run/corvane-notify");
        add("notes.txt", "mine");
        // Others may look into it, as into any device folder.
        for (auto& entry : fs::recursive_directory_iterator(m_root)) {
            if (entry.is_directory() && !entry.is_symlink())
                fs::permissions(entry.path(), fs::perms(0755));
        }
    }
    ~DeviceWithClutter() { fs::remove_all(m_root); }

    std::string root() const { return m_root.string(); }

private:
    void add(const std::string& path, const std::string& contents)
    {
        fs::create_directories((m_root / path).parent_path());
        std::ofstream(m_root / path) << contents;
        fs::permissions(m_root / path, fs::perms(0644));
    }

    fs::path m_root;
};

std::vector<std::string> filesIn(const std::string& root)
{
    std::vector<std::string> files;
    for (auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_directory() || entry.is_symlink())
            files.push_back(entry.path().lexically_relative(root).string());
    }
    std::sort(files.begin(), files.end());
    return files;
}

TEST(TemporaryDevice, CopiesWhatARunNeedsAndLeavesTheRest)
{
    DeviceWithClutter device;
    std::string copied;
    {
        auto copy = TemporaryDevice::copyOf(device.root());
        ASSERT_TRUE(copy) << copy.error().message;
        copied = copy.value().root();
        EXPECT_EQ(filesIn(copied),
            (std::vector<std::string> { "Library/MobileSubstrate/DynamicLibraries/Alias.dylib",
                "Library/MobileSubstrate/DynamicLibraries/Corvane.dylib",
                "Library/PreferenceBundles/CorvanePref.bundle/Info.plist",
                "Library/PreferenceLoader/Preferences/CorvanePref.plist" }));
        EXPECT_TRUE(fs::is_symlink(copied + "/Library/MobileSubstrate/DynamicLibraries/Alias.dylib"));
    }
    EXPECT_FALSE(fs::exists(copied));
}

// The refused file nobody may read is no obstacle for an ordinary user
// (root reads it anyway, so the copy is made as one).
TEST(TemporaryDevice, AFileNobodyMayReadDoesNotStopTheCopy)
{
    DeviceWithClutter device;
    ChildProcess child = ChildProcess::run([&device] {
        if (::geteuid() == 0 && (::setgid(65534) != 0 || ::setuid(65534) != 0))
            return 3;
        auto copy = TemporaryDevice::copyOf(device.root());
        return copy ? 0 : 1;
    });
    EXPECT_EQ(child.waitForExit(), 0);
}

} // namespace
