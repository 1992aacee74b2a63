#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/PropertyList.h"
#include "simulator/SettingsFile.h"
#include "tests/support/TemporaryDeviceRoot.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

int notificationsSeen = 0;

void countNotification(CFNotificationCenterRef, void*, NSString, const void*, NSMutableDictionary*)
{
    ++notificationsSeen;
}

class SettingsFileTest : public testing::Test {
protected:
    void SetUp() override
    {
        NSRunLoop::main().reset();
        m_root.activate();
        notificationsSeen = 0;
        CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), this, countNotification,
            SettingsFile::changeNotification, nullptr, CFNotificationSuspensionBehaviorDeliverImmediately);
    }
    void TearDown() override
    {
        CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), this);
    }

    TemporaryDeviceRoot m_root;
};

TEST_F(SettingsFileTest, StoringKeepsOtherKeysAndAnnouncesTheChange)
{
    std::string path = m_root.preparedPath(SettingsFile::devicePath);
    RefPtr<NSMutableDictionary> existing = NSMutableDictionary::dictionary();
    existing->setObject(Value(1), "type");
    existing->setObject(Value(NSString("kept")), "note");
    ASSERT_TRUE(PropertyList::writeFile(*existing, path, PropertyList::Format::Binary, true));

    std::string error;
    ASSERT_TRUE(SettingsFile::store(std::nullopt, 2, error)) << error;
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(notificationsSeen, 1);

    RefPtr<NSMutableDictionary> stored = NSMutableDictionary::dictionaryWithContentsOfFile(path);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->objectForKey("gesture").intValue(), 2);
    EXPECT_EQ(stored->objectForKey("type").intValue(), 1);
    EXPECT_EQ(stored->objectForKey("note").string().utf8(), "kept");

    std::string problem;
    EXPECT_EQ(SettingsFile::read("gesture", problem), 2);
    EXPECT_EQ(SettingsFile::read("missing", problem), std::nullopt);
    EXPECT_EQ(problem, "the settings file has no missing");
}

TEST_F(SettingsFileTest, WithoutAFileReadingSaysSoAndStoringMakesOne)
{
    std::string problem;
    EXPECT_EQ(SettingsFile::read("type", problem), std::nullopt);
    EXPECT_EQ(problem,
        "there is no readable settings file at /var/mobile/Library/Preferences/com.quillfen.corvane.plist");

    m_root.preparedPath(SettingsFile::devicePath);
    std::string error;
    ASSERT_TRUE(SettingsFile::store(1, std::nullopt, error)) << error;
    EXPECT_EQ(SettingsFile::read("type", problem), 1);
    EXPECT_EQ(SettingsFile::read("gesture", problem), std::nullopt);
}

// As the pane does, whatever sits in the file's place and cannot be read is
// kept beside the new file.
TEST_F(SettingsFileTest, AFolderInTheFilesPlaceIsKeptBesideTheNewFile)
{
    std::string path = m_root.preparedPath(SettingsFile::devicePath);
    std::filesystem::create_directories(path);
    std::string error;
    ASSERT_TRUE(SettingsFile::store(1, 2, error)) << error;
    EXPECT_TRUE(std::filesystem::is_directory(path + ".refused"));
    std::string problem;
    EXPECT_EQ(SettingsFile::read("gesture", problem), 2) << problem;
}

TEST_F(SettingsFileTest, AnUnwritableFileIsAnErrorAndAnnouncesNothing)
{
    // A file where the preferences folder should be: nothing can be written there.
    std::string folder = std::filesystem::path(m_root.preparedPath(SettingsFile::devicePath)).parent_path();
    std::filesystem::remove(folder);
    std::ofstream(folder) << "not a folder";
    std::string error;
    EXPECT_FALSE(SettingsFile::store(1, 2, error));
    EXPECT_NE(error.find("cannot write the settings file"), std::string::npos) << error;
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(notificationsSeen, 0);
}

} // namespace
