#include "tests/keyboard/ExtensionTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DirectoryWatch.h"
#include "tests/support/ReadySignal.h"

#include <algorithm>
#include <csignal>
#include <filesystem>
#include <string>
#include <unistd.h>

namespace {

using namespace extension_test;

// Two sets of settings that differ in every key; the padding makes a save
// take long enough for a kill to land inside it.
RefPtr<NSMutableDictionary> settingsWith(int type, int gesture)
{
    auto settings = NSMutableDictionary::dictionary();
    settings->setObject(type, "type");
    settings->setObject(gesture, "gesture");
    settings->setObject(NSString(std::string(200000, type == 1 ? 'a' : 'b').c_str()), "padding");
    return settings;
}

class SettingsSaveFault : public ExtensionFixture {
protected:
    std::string settingsPath() const { return deviceRoot->preparedPath(settingsFilePath); }

    // Files a save left beside the settings file: hidden, named after it.
    std::vector<std::string> temporaryFiles() const
    {
        std::filesystem::path file(settingsPath());
        std::string prefix = "." + file.filename().string() + ".";
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(file.parent_path())) {
            if (entry.path().filename().string().starts_with(prefix))
                found.push_back(entry.path().string());
        }
        return found;
    }

    // Whole and one of the two sets: every key of one read belongs to the
    // same set, and the extension reads a pair that one of the sets holds.
    bool holdsOneWholeSet() const
    {
        loadSettings();
        bool extensionReadASet = (gTypeMode == 1 && !gFlickGesture) || (gTypeMode == 2 && gFlickGesture);
        auto settings = NSMutableDictionary::dictionaryWithContentsOfFile(settingsPath());
        if (!settings || !extensionReadASet)
            return false;
        int type = settings->objectForKey("type").intValue();
        int gesture = settings->objectForKey("gesture").intValue();
        std::string padding = settings->objectForKey("padding").string().utf8();
        if (type == 1 && gesture == 2)
            return padding == std::string(200000, 'a');
        if (type == 2 && gesture == 1)
            return padding == std::string(200000, 'b');
        return false;
    }
};

TEST_F(SettingsSaveFault, SaveKilledAtAnyMomentLeavesTheOldOrTheNewSettings)
{
    auto first = settingsWith(1, 2);
    auto second = settingsWith(2, 1);
    ASSERT_TRUE(static_cast<bool>(first->writeToFile(settingsPath(), true)));
    startExtension();
    constexpr int kills = 150;
    std::size_t mostLeftovers = 0;
    int killsLeavingOne = 0;
    for (int attempt = 0; attempt < kills; ++attempt) {
        auto saver = ChildProcess::run([&] {
            for (int round = 0;; ++round)
                (void)(round % 2 ? first : second)->writeToFile(settingsPath(), true);
            return 0;
        });
        // Spread the kills over the save's whole length, the rename included.
        ::usleep(static_cast<useconds_t>(300 + (attempt * 1361) % 6000));
        saver.kill(SIGKILL);
        saver.waitForExit();
        ASSERT_TRUE(holdsOneWholeSet()) << "after kill " << attempt;
        std::size_t leftovers = temporaryFiles().size();
        mostLeftovers = std::max(mostLeftovers, leftovers);
        killsLeavingOne += leftovers ? 1 : 0;
    }
    RecordProperty("killsLeavingATemporaryFile", killsLeavingOne);
    RecordProperty("mostTemporaryFilesAtOnce", static_cast<int>(mostLeftovers));
    // Each save clears what the killed ones left, so they never pile up.
    EXPECT_LE(mostLeftovers, 3u);
    ASSERT_TRUE(static_cast<bool>(second->writeToFile(settingsPath(), true)));
    EXPECT_TRUE(temporaryFiles().empty()) << temporaryFiles().front();
    EXPECT_TRUE(holdsOneWholeSet());
}

TEST_F(SettingsSaveFault, SaveInProgressInAnotherProcessKeepsItsTemporaryFile)
{
    auto first = settingsWith(1, 2);
    auto second = settingsWith(2, 1);
    ASSERT_TRUE(static_cast<bool>(first->writeToFile(settingsPath(), true)));
    DirectoryWatch folder(std::filesystem::path(settingsPath()).parent_path());
    ReadySignal enough;
    auto saver = ChildProcess::run([&] {
        while (!enough.hasSignalled()) {
            if (!second->writeToFile(settingsPath(), true))
                return 1;
        }
        return 0;
    });
    // Stop the saver as soon as it writes a temporary file, until it is caught
    // with one (not empty, not yet renamed); a save from here must leave it alone.
    std::string prefix = "." + std::filesystem::path(settingsPath()).filename().string() + ".";
    bool caughtMidSave = false;
    int stops = 0;
    for (; stops < 1000 && !caughtMidSave; ++stops) {
        ASSERT_TRUE(folder.waitForWriteTo(prefix)) << "the saver wrote no temporary file";
        saver.stop();
        std::vector<std::string> inProgress = temporaryFiles();
        std::error_code error;
        caughtMidSave
            = inProgress.size() == 1 && std::filesystem::file_size(inProgress.front(), error) > 0 && !error;
        if (caughtMidSave) {
            ASSERT_TRUE(static_cast<bool>(first->writeToFile(settingsPath(), true)));
            EXPECT_TRUE(std::filesystem::exists(inProgress.front()));
        }
        saver.resume();
    }
    // The stopped save then finishes as if nothing had happened.
    enough.signal();
    ASSERT_EQ(saver.waitForExit(), 0);
    EXPECT_TRUE(caughtMidSave);
    RecordProperty("stopsUntilCaughtMidSave", stops);
    EXPECT_TRUE(temporaryFiles().empty());
    EXPECT_TRUE(holdsOneWholeSet());
}

TEST_F(SettingsSaveFault, TwoProcessesSavingAlternatelyAlwaysLeaveAWholeFile)
{
    auto first = settingsWith(1, 2);
    auto second = settingsWith(2, 1);
    ASSERT_TRUE(static_cast<bool>(first->writeToFile(settingsPath(), true)));
    startExtension();
    constexpr int savesEach = 150;
    auto saveRepeatedly = [&](const RefPtr<NSMutableDictionary>& settings) {
        return ChildProcess::run([&] {
            for (int round = 0; round < savesEach; ++round) {
                if (!settings->writeToFile(settingsPath(), true))
                    return 1;
            }
            return 0;
        });
    };
    auto one = saveRepeatedly(first);
    auto other = saveRepeatedly(second);
    int reads = 0;
    while (!one.hasExited() || !other.hasExited()) {
        ASSERT_TRUE(holdsOneWholeSet()) << "read " << reads;
        ++reads;
    }
    EXPECT_EQ(one.waitForExit(), 0);
    EXPECT_EQ(other.waitForExit(), 0);
    EXPECT_TRUE(holdsOneWholeSet());
    EXPECT_GT(reads, 0);
}

} // namespace
