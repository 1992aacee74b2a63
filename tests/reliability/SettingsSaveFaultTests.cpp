#include "contracts/CorvaneContract.h"
#include "platform/foundation/PreferencesFile.h"
#include "platform/foundation/PropertyList.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/PrefsHelper.h"
#include "tests/keyboard/ExtensionTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DirectoryWatch.h"
#include "tests/support/ReadySignal.h"

#include <algorithm>
#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/stat.h>
#include <unistd.h>

namespace {

using namespace extension_test;

// Two sets of settings that differ in every key; the padding makes a save
// take long enough for a kill to land inside it, and keeps the file within
// what the readers accept.
constexpr std::size_t paddingLength = 60000;

RefPtr<NSMutableDictionary> settingsWith(int type, int gesture)
{
    auto settings = NSMutableDictionary::dictionary();
    settings->setObject(type, contract::typeKey);
    settings->setObject(gesture, contract::gestureKey);
    settings->setObject(NSString(std::string(paddingLength, type == 1 ? 'a' : 'b').c_str()), "padding");
    return settings;
}

std::string readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// "type" 1, "gesture" 1 and a date, as a binary list, with the date's
// seconds replaced by any number.
std::string settingsWithDate(double seconds)
{
    auto settings = NSMutableDictionary::dictionary();
    settings->setObject(1, contract::typeKey);
    settings->setObject(1, contract::gestureKey);
    settings->setObject(NSDate { 0.0 }, "when");
    std::string bytes = PropertyList::serialize(*settings, PropertyList::Format::Binary).releaseValue();
    std::size_t date = bytes.find(std::string("\x33") + std::string(8, '\0'));
    std::uint64_t bits;
    std::memcpy(&bits, &seconds, sizeof bits);
    for (int index = 0; index < 8; ++index)
        bytes[date + 1 + index] = static_cast<char>(bits >> (56 - 8 * index));
    return bytes;
}

std::string settingsWithKeys(int keys)
{
    auto settings = NSMutableDictionary::dictionary();
    settings->setObject(1, contract::typeKey);
    for (int key = 0; key < keys; ++key)
        settings->setObject(key, "key" + std::to_string(key));
    return PropertyList::serialize(*settings, PropertyList::Format::XML).releaseValue();
}

// A fresh Settings process opens the pane, and the user switches the gesture
// from "Flick up" to "Slide up".
void switchToSlideUpInThePane()
{
    PrefsHelper::resetProcessState();
    PrefsHelper* store = send(PrefsHelper::staticClass(), sel::sharedHelper);
    (void)send(store, sel::preferenceObjectForKey, NSString(contract::gestureKey));
    send(store, sel::setPreferenceObjectForKey, Value(2), NSString(contract::gestureKey));
    send(store, sel::savePreferences);
}

// Hands the device root to an ordinary user, for a child that becomes one:
// the superuser may read any file.
void handDeviceRootToAnOrdinaryUser(const std::string& root)
{
    if (::geteuid() != 0)
        return;
    (void)!::chown(root.c_str(), 65534, 65534);
    for (const auto& entry : std::filesystem::recursive_directory_iterator(root))
        (void)!::lchown(entry.path().c_str(), 65534, 65534);
}

bool becomeAnOrdinaryUser()
{
    return ::geteuid() != 0 || (::setgid(65534) == 0 && ::setuid(65534) == 0);
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
        bool extensionReadASet
            = loadedSettings() == shiftedKeySlideUp || loadedSettings() == alternateKeyFlickUp;
        // Read as the extension reads it: a refused file would pass for the defaults.
        PreferencesFile::Contents file = PreferencesFile::read(settingsPath());
        if (file.state != PreferencesFile::State::Read || !extensionReadASet)
            return false;
        const NSMutableDictionary& settings = *file.dictionary;
        int type = settings.objectForKey(contract::typeKey).intValue();
        int gesture = settings.objectForKey(contract::gestureKey).intValue();
        std::string padding = settings.objectForKey("padding").string().utf8();
        if (type == 1 && gesture == 2)
            return padding == std::string(paddingLength, 'a');
        if (type == 2 && gesture == 1)
            return padding == std::string(paddingLength, 'b');
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

// A file the readers refuse is logged by the keyboard, which keeps its
// defaults, and the pane's next save keeps it beside the new file instead
// of losing it (or, for a date that cannot be written, failing every save).
TEST_F(SettingsSaveFault, AFileTheReadersRefuseIsKeptBesideTheSavedChange)
{
    std::string validXML = settingsWithKeys(0);
    const std::pair<const char*, std::string> refusedFiles[] = {
        { "a date that is not a number", settingsWithDate(std::nan("")) },
        { "an infinite date", settingsWithDate(HUGE_VAL) },
        { "a date 1e300 seconds away", settingsWithDate(1e300) },
        { "truncated", validXML.substr(0, validXML.size() / 2) },
        { "too many keys", settingsWithKeys(3000) },
    };
    std::string path = settingsPath();
    for (const auto& [name, bytes] : refusedFiles) {
        SCOPED_TRACE(name);
        std::filesystem::remove_all(std::filesystem::path(path).parent_path());
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        std::ofstream(path, std::ios::binary) << bytes;

        testing::internal::CaptureStderr();
        loadSettings();
        bool defaultsApplied = loadedSettings() == alternateKeyFlickUp;
        int pane = ChildProcess::run([] {
            switchToSlideUpInThePane();
            return 0;
        }).waitForExit();
        loadSettings();
        std::string log = testing::internal::GetCapturedStderr();

        EXPECT_TRUE(defaultsApplied) << "nothing of a refused file applies";
        EXPECT_EQ(pane, 0);
        EXPECT_EQ(loadedSettings().gesture, Gesture::SlideUp) << "the change reached the keyboard";
        EXPECT_EQ(readBytes(path + ".refused"), bytes);
        EXPECT_NE(log.find("Corvane: the settings file cannot be read, so the defaults apply: " + path),
            std::string::npos)
            << log;
        EXPECT_NE(log.find("it is kept as " + path + ".refused"), std::string::npos) << log;
    }
}

// A file its owner may not read: both readers say so, the save keeps it, and
// the new file is one the owner can read (its mode is not copied).
TEST_F(SettingsSaveFault, AFileNobodyMayReadIsLoggedKeptAndNotCopiedUnreadable)
{
    writeSettings(1, 2);
    std::string path = settingsPath();
    ASSERT_EQ(::chmod(path.c_str(), 0), 0);
    handDeviceRootToAnOrdinaryUser(deviceRoot->path());

    testing::internal::CaptureStderr();
    int status = ChildProcess::run([&] {
        if (!becomeAnOrdinaryUser())
            return 10;
        loadSettings();
        if (loadedSettings() != alternateKeyFlickUp)
            return 1;
        switchToSlideUpInThePane();
        loadSettings();
        if (loadedSettings().gesture != Gesture::SlideUp)
            return 2;
        struct stat saved { };
        if (::stat(path.c_str(), &saved) != 0 || !(saved.st_mode & S_IRUSR))
            return 3;
        struct stat kept { };
        if (::stat((path + ".refused").c_str(), &kept) != 0 || (kept.st_mode & 0777) != 0)
            return 4;
        return 0;
    }).waitForExit();
    std::string log = testing::internal::GetCapturedStderr();
    EXPECT_EQ(status, 0) << "1: the file applied, 2: the change did not arrive, 3: saved unreadable, "
                            "4: the unreadable file was not kept";
    std::string problem = "cannot open " + path + ": Permission denied";
    EXPECT_NE(log.find("so the defaults apply: " + problem), std::string::npos) << log;
    EXPECT_NE(log.find("so the pane starts without its settings: " + problem), std::string::npos) << log;
    EXPECT_NE(log.find("it is kept as " + path + ".refused"), std::string::npos) << log;
}

} // namespace
