#include "contracts/CorvaneContract.h"
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
            contract::settingsChangedNotification, nullptr,
            CFNotificationSuspensionBehaviorDeliverImmediately);
    }
    void TearDown() override
    {
        CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), this);
    }

    TemporaryDeviceRoot m_root;
};

TEST_F(SettingsFileTest, StoringKeepsOtherKeysAndAnnouncesTheChange)
{
    std::string path = m_root.preparedPath(contract::settingsFilePath);
    RefPtr<NSMutableDictionary> existing = NSMutableDictionary::dictionary();
    existing->setObject(Value(1), contract::typeKey);
    existing->setObject(Value(NSString("kept")), "note");
    ASSERT_TRUE(PropertyList::writeFile(*existing, path, PropertyList::Format::Binary, true));

    auto written = SettingsFile::store({ { contract::gestureKey, contract::slideUpGesture } });
    ASSERT_TRUE(written) << written.error().message;
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(notificationsSeen, 1);

    RefPtr<NSMutableDictionary> stored = NSMutableDictionary::dictionaryWithContentsOfFile(path);
    ASSERT_TRUE(stored);
    EXPECT_EQ(stored->objectForKey(contract::gestureKey).intValue(), 2);
    EXPECT_EQ(stored->objectForKey(contract::typeKey).intValue(), 1);
    EXPECT_EQ(stored->objectForKey("note").string().utf8(), "kept");

    EXPECT_EQ(SettingsFile::read(contract::gestureKey).value(), 2);
    auto missing = SettingsFile::read("missing");
    ASSERT_FALSE(missing);
    EXPECT_EQ(missing.error().message, "the settings file has no missing");
}

TEST_F(SettingsFileTest, WithoutAFileReadingSaysSoAndStoringMakesOne)
{
    auto absent = SettingsFile::read(contract::typeKey);
    ASSERT_FALSE(absent);
    EXPECT_EQ(absent.error().message,
        "there is no readable settings file at " + std::string(contract::settingsFilePath));

    m_root.preparedPath(contract::settingsFilePath);
    auto stored = SettingsFile::store({ { contract::typeKey, contract::shiftedKeyType } });
    ASSERT_TRUE(stored) << stored.error().message;
    EXPECT_EQ(SettingsFile::read(contract::typeKey).value(), 1);
    EXPECT_FALSE(SettingsFile::read(contract::gestureKey));
}

// As the pane does, whatever sits in the file's place and cannot be read is
// kept beside the new file.
TEST_F(SettingsFileTest, AFolderInTheFilesPlaceIsKeptBesideTheNewFile)
{
    std::string path = m_root.preparedPath(contract::settingsFilePath);
    std::filesystem::create_directories(path);
    auto stored = SettingsFile::store({ { contract::typeKey, contract::shiftedKeyType },
        { contract::gestureKey, contract::slideUpGesture } });
    ASSERT_TRUE(stored) << stored.error().message;
    EXPECT_TRUE(std::filesystem::is_directory(path + ".refused"));
    auto gesture = SettingsFile::read(contract::gestureKey);
    ASSERT_TRUE(gesture) << gesture.error().message;
    EXPECT_EQ(gesture.value(), 2);
}

TEST_F(SettingsFileTest, AnUnwritableFileIsAnErrorAndAnnouncesNothing)
{
    // A file where the preferences folder should be: nothing can be written there.
    std::string folder = std::filesystem::path(m_root.preparedPath(contract::settingsFilePath)).parent_path();
    std::filesystem::remove(folder);
    std::ofstream(folder) << "not a folder";
    auto stored = SettingsFile::store({ { contract::typeKey, contract::shiftedKeyType },
        { contract::gestureKey, contract::slideUpGesture } });
    ASSERT_FALSE(stored);
    EXPECT_NE(stored.error().message.find("cannot write the settings file"), std::string::npos)
        << stored.error().message;
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(notificationsSeen, 0);
}

} // namespace
