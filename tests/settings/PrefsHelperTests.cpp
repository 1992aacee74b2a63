#include "contracts/CorvaneContract.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/PreferencesFile.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/PrefsHelper.h"
#include "tests/settings/PaneTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReadySignal.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <sys/resource.h>
#include <unistd.h>

namespace {

PrefsHelper* store()
{
    return send(PrefsHelper::staticClass(), sel::sharedHelper);
}

Value stored(const char* key)
{
    return send(store(), sel::preferenceObjectForKey, NSString(key));
}

void setStored(const char* key, Value value)
{
    send(store(), sel::setPreferenceObjectForKey, std::move(value), NSString(key));
}

void save()
{
    send(store(), sel::savePreferences);
}

std::string fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream bytes;
    bytes << file.rdbuf();
    return bytes.str();
}

RefPtr<NSMutableDictionary> settingsWith(std::initializer_list<std::pair<const char*, Value>> entries)
{
    auto settings = NSMutableDictionary::dictionary();
    for (const auto& [key, value] : entries)
        settings->setObject(value, key);
    return settings;
}

using PreferenceStore = PaneTest;

TEST_F(PreferenceStore, IsOneSharedStoreWithTheOpenedBundle)
{
    PrefsHelper* first = store();
    EXPECT_EQ(store(), first);
    NSBundle* bundle = send(first, sel::ownBundle);
    ASSERT_NE(bundle, nullptr);
    EXPECT_EQ(
        bundle->bundlePath().utf8(), DeviceRoot::devicePath("/Library/PreferenceBundles/CorvanePref.bundle"));
    EXPECT_TRUE(isBundleImage(send(first, sel::ownImageNamed, NSString("Heart.png")).get(), "Heart.png"));
    EXPECT_EQ(send(first, sel::ownImageNamed, NSString("Nowhere.png")), nullptr);
    // Without a strings table the key itself comes back.
    EXPECT_EQ(send(first, sel::ownStringForKey, NSString("Corvane")), NSString("Corvane"));
}

TEST_F(PreferenceStore, ABundleThatIsMissingIsOpenedLaterByOwnBundleOnly)
{
    std::filesystem::remove(DeviceRoot::devicePath(PrefsHelper::bundlePath));
    PrefsHelper* helper = store();
    EXPECT_EQ(send(helper, sel::ownImageNamed, NSString("Heart.png")), nullptr);

    installPaneBundle();
    EXPECT_EQ(send(helper, sel::ownImageNamed, NSString("Heart.png")), nullptr)
        << "image lookups do not retry";
    EXPECT_NE(send(helper, sel::ownBundle), nullptr);
    EXPECT_TRUE(isBundleImage(send(helper, sel::ownImageNamed, NSString("Heart.png")).get(), "Heart.png"));
}

TEST_F(PreferenceStore, SavingKeepsKeysItDoesNotKnow)
{
    writeSettingsFile(*settingsWith({ { contract::gestureKey, 2 }, { "colour", "teal" } }));
    setStored(contract::typeKey, 1);
    save();

    auto file = readSettingsFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->count(), 3u);
    EXPECT_EQ(file->objectForKey(contract::gestureKey), Value(2));
    EXPECT_EQ(file->objectForKey(contract::typeKey), Value(1));
    EXPECT_EQ(file->objectForKey("colour"), Value("teal"));
}

TEST_F(PreferenceStore, WithoutAFileNothingIsStoredAndTheFirstSaveCreatesIt)
{
    EXPECT_TRUE(stored(contract::gestureKey).isNil());
    EXPECT_EQ(stored(contract::gestureKey).intValue(), 0);
    EXPECT_FALSE(std::filesystem::exists(settingsFilePath()));

    setStored(contract::gestureKey, 2);
    save();
    auto file = readSettingsFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->count(), 1u);
    EXPECT_EQ(file->objectForKey(contract::gestureKey), Value(2));
}

TEST_F(PreferenceStore, TheFirstSaveMakesThePreferencesFolderWhenTheDeviceHasNone)
{
    std::filesystem::remove_all(DeviceRoot::devicePath("/var"));
    setStored(contract::typeKey, 1);
    save();
    auto file = readSettingsFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->objectForKey(contract::typeKey), Value(1));
}

TEST_F(PreferenceStore, AFileThatIsNoDictionaryStartsAnEmptyStore)
{
    preparePreferencesFolder();
    std::ofstream(settingsFilePath()) << "not a property list";
    EXPECT_TRUE(stored(contract::typeKey).isNil());
    setStored(contract::typeKey, 1);
    save();
    EXPECT_EQ(readSettingsFile()->objectForKey(contract::typeKey), Value(1));
}

TEST_F(PreferenceStore, SettingWithoutSavingChangesOnlyThisProcess)
{
    ChangeNotificationCounter notifications;
    writeSettingsFile(*settingsWith({ { contract::typeKey, 2 } }));
    std::string before = fileBytes(settingsFilePath());

    setStored(contract::typeKey, 1);
    EXPECT_EQ(stored(contract::typeKey), Value(1));
    EXPECT_EQ(fileBytes(settingsFilePath()), before);
    EXPECT_EQ(notifications.heard(), 0);
}

TEST_F(PreferenceStore, EverySavePostsOneNotification)
{
    ChangeNotificationCounter notifications;
    setStored(contract::gestureKey, 2);
    save();
    EXPECT_EQ(notifications.heard(), 1);
    save();
    EXPECT_EQ(notifications.heard(), 2);
}

// What another process saved after the pane first read the file is not seen
// until the pane saves, and that save keeps it: only the keys set here change.
TEST_F(PreferenceStore, AChangeByAnotherProcessAfterFirstUseSurvivesTheNextSave)
{
    writeSettingsFile(*settingsWith({ { contract::gestureKey, 2 }, { contract::typeKey, 2 } }));
    EXPECT_EQ(stored(contract::gestureKey), Value(2));

    writeSettingsFile(
        *settingsWith({ { contract::gestureKey, 1 }, { contract::typeKey, 2 }, { "extra", true } }));
    EXPECT_EQ(stored(contract::gestureKey), Value(2));
    EXPECT_TRUE(stored("extra").isNil());

    setStored(contract::typeKey, 1);
    save();
    auto file = readSettingsFile();
    EXPECT_EQ(file->objectForKey(contract::gestureKey), Value(1));
    EXPECT_EQ(file->objectForKey(contract::typeKey), Value(1));
    EXPECT_EQ(file->objectForKey("extra"), Value(true));
    // The store now holds what it saved.
    EXPECT_EQ(stored(contract::gestureKey), Value(1));
    EXPECT_EQ(stored("extra"), Value(true));
}

// Two Settings processes opened on the same file each toggle their own
// setting many times: neither ever undoes the other's last change.
TEST_F(PreferenceStore, TwoProcessesSavingDifferentKeysKeepEachOthersChanges)
{
    writeSettingsFile(*settingsWith({ { "colour", "teal" } }));
    constexpr int savesEach = 60;
    ReadySignal bothOpened;
    ReadySignal go;
    auto toggleRepeatedly = [&](const char* key) {
        return ChildProcess::run([&, key] {
            PrefsHelper::resetProcessState();
            // Both read the file before either saves.
            (void)stored(key);
            bothOpened.signal();
            if (!go.wait())
                return 2;
            go.signal();
            for (int round = 1; round <= savesEach; ++round) {
                setStored(key, round % 2 ? 2 : 1);
                save();
            }
            return 0;
        });
    };
    auto gesture = toggleRepeatedly(contract::gestureKey);
    auto type = toggleRepeatedly(contract::typeKey);
    ASSERT_TRUE(bothOpened.wait());
    ASSERT_TRUE(bothOpened.wait());
    go.signal();
    EXPECT_EQ(gesture.waitForExit(), 0);
    EXPECT_EQ(type.waitForExit(), 0);

    auto file = readSettingsFile();
    ASSERT_TRUE(file);
    EXPECT_EQ(file->objectForKey(contract::gestureKey), Value(1));
    EXPECT_EQ(file->objectForKey(contract::typeKey), Value(1));
    EXPECT_EQ(file->objectForKey("colour"), Value("teal"));
}

TEST_F(PreferenceStore, ASaveBeforeAnyUseWritesNothingYetStillPosts)
{
    ChangeNotificationCounter notifications;
    writeSettingsFile(*settingsWith({ { contract::gestureKey, 2 } }));
    std::string before = fileBytes(settingsFilePath());
    save();
    EXPECT_EQ(fileBytes(settingsFilePath()), before);
    EXPECT_EQ(notifications.heard(), 1);

    std::filesystem::remove(settingsFilePath());
    save();
    EXPECT_FALSE(std::filesystem::exists(settingsFilePath()));
    EXPECT_EQ(notifications.heard(), 2);
}

// A child process whose files may not grow past a few bytes stands for a
// full disk: its save fails, says so in the log, leaves the old file whole
// and still tells the keyboard.
TEST_F(PreferenceStore, AFailedSaveIsLoggedLeavesTheOldFileWholeAndStillPosts)
{
    writeSettingsFile(*settingsWith({ { contract::gestureKey, 2 }, { contract::typeKey, 1 } }));
    std::string before = fileBytes(settingsFilePath());
    ChangeNotificationCounter notifications;
    int logPipe[2];
    ASSERT_EQ(::pipe(logPipe), 0);

    auto saver = ChildProcess::run([&] {
        ::dup2(logPipe[1], STDERR_FILENO);
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny { 16, 16 };
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        setStored(contract::gestureKey, 1);
        save();
        return 0;
    });
    ASSERT_EQ(saver.waitForExit(), 0);
    ::close(logPipe[1]);
    std::string log;
    char buffer[512];
    for (ssize_t got; (got = ::read(logPipe[0], buffer, sizeof buffer)) > 0;)
        log.append(buffer, static_cast<std::size_t>(got));
    ::close(logPipe[0]);

    EXPECT_EQ(fileBytes(settingsFilePath()), before);
    EXPECT_NE(
        log.find("Corvane: the settings could not be saved to " + settingsFilePath()), std::string::npos)
        << log;
    EXPECT_EQ(notifications.heard(), 1);
    std::size_t leftovers = 0;
    for (const auto& entry :
        std::filesystem::directory_iterator(std::filesystem::path(settingsFilePath()).parent_path()))
        leftovers += entry.path() != settingsFilePath()
            && entry.path() != PreferencesFile::lockPath(settingsFilePath());
    EXPECT_EQ(leftovers, 0u) << "no temporary file stays behind";
}

} // namespace
