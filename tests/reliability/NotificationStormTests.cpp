#include "platform/foundation/DeviceRoot.h"
#include "tests/keyboard/ExtensionTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <fstream>
#include <string>

namespace {

using namespace extension_test;

int deliveries = 0;
void countDelivery(CFNotificationCenterRef, void*, NSString, const void*, NSMutableDictionary*)
{
    ++deliveries;
}

long residentKilobytes()
{
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);) {
        if (line.starts_with("VmRSS:"))
            return std::stol(line.substr(6));
    }
    return -1;
}

class NotificationStorm : public ExtensionFixture {
protected:
    void SetUp() override
    {
        ExtensionFixture::SetUp();
        deliveries = 0;
        NSRunLoop::main().setClock(NSRunLoop::Clock::Real);
    }

    static void post()
    {
        CFNotificationCenterPostNotification(
            CFNotificationCenterGetDarwinNotifyCenter(), settingsChangedNotification, nullptr, nullptr, true);
    }
    // Serves this process's notifications until the child is done.
    static void runUntilExited(ChildProcess& child)
    {
        while (!child.hasExited())
            NSRunLoop::main().runFor(0.01);
        NSRunLoop::main().runUntilIdle();
    }
};

TEST_F(NotificationStorm, BurstWhileTheKeyboardIsShownEndsInTheFilesState)
{
    startExtension();
    present();
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), &deliveries, countDelivery,
        NSString(settingsChangedNotification), nullptr, 0);
    long before = residentKilobytes();

    constexpr int posts = 10000;
    auto poster = ChildProcess::run([this] {
        for (int index = 0; index < posts; ++index) {
            // The file changes under the storm and ends as "Shifted key", "Slide up".
            if (index % 1000 == 0)
                writeSettings(index % 2000 ? 1 : 3, index % 2000 ? 2 : 1);
            post();
        }
        // Names the listener had no room for go out from the run loop.
        NSRunLoop::main().runFor(1.0);
        return 0;
    });
    runUntilExited(poster);
    ASSERT_EQ(poster.waitForExit(), 0);

    EXPECT_GE(deliveries, 1);
    EXPECT_LE(deliveries, posts);
    EXPECT_EQ(gTypeMode, 1);
    EXPECT_FALSE(gFlickGesture);
    // The keyboard is still there and types.
    driver.tap(centerOf(key("q")));
    EXPECT_FALSE(input->text.empty());
    EXPECT_LT(residentKilobytes() - before, 64 * 1024) << "kilobytes grown during the burst";
}

TEST_F(NotificationStorm, PostsFromAnotherDeviceRootAreNeverSeen)
{
    startExtension();
    present();
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), &deliveries, countDelivery,
        NSString(settingsChangedNotification), nullptr, 0);
    std::string ownRoot = DeviceRoot::path();
    TemporaryDeviceRoot otherRoot;
    DeviceRoot::setOverride(ownRoot);

    auto elsewhere = ChildProcess::run([&] {
        otherRoot.activate();
        auto settings = NSMutableDictionary::dictionary();
        settings->setObject(1, "type");
        settings->setObject(2, "gesture");
        (void)settings->writeToFile(otherRoot.preparedPath(settingsFilePath), true);
        for (int index = 0; index < 1000; ++index)
            post();
        NSRunLoop::main().runFor(0.2);
        return 0;
    });
    runUntilExited(elsewhere);
    ASSERT_EQ(elsewhere.waitForExit(), 0);
    EXPECT_EQ(deliveries, 0);
    EXPECT_EQ(gTypeMode, 2);
    EXPECT_TRUE(gFlickGesture);
}

} // namespace
