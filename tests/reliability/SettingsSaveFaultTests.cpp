#include "tests/keyboard/ExtensionTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <csignal>
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
    }
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
