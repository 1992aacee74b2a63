#include "contracts/CorvaneContract.h"
#include "platform/foundation/DarwinNotifyTransport.h"
#include "platform/foundation/DeviceRoot.h"
#include "tests/keyboard/ExtensionTestSupport.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReadySignal.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace extension_test;

#if defined(__SANITIZE_ADDRESS__)
constexpr bool freedMemoryStaysResident = true;
#else
constexpr bool freedMemoryStaysResident = false;
#endif

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
        // Nothing is left to send later: the child leaves at once.
        return 0;
    });
    runUntilExited(poster);
    ASSERT_EQ(poster.waitForExit(), 0);

    EXPECT_GE(deliveries, 1);
    EXPECT_LE(deliveries, posts);
    EXPECT_EQ(loadedSettings(), shiftedKeySlideUp);
    // The keyboard is still there and types.
    driver.tap(centerOf(key("q")));
    EXPECT_FALSE(input->text.empty());
    // AddressSanitizer keeps freed blocks in quarantine, so there the resident size says nothing about
    // growth.
    if (!freedMemoryStaysResident) {
        EXPECT_LT(residentKilobytes() - before, 64 * 1024) << "kilobytes grown during the burst";
    }
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
        settings->setObject(1, contract::typeKey);
        settings->setObject(2, contract::gestureKey);
        (void)settings->writeToFile(otherRoot.preparedPath(settingsFilePath), true);
        for (int index = 0; index < 1000; ++index)
            post();
        return 0;
    });
    runUntilExited(elsewhere);
    ASSERT_EQ(elsewhere.waitForExit(), 0);
    EXPECT_EQ(deliveries, 0);
    EXPECT_EQ(loadedSettings(), alternateKeyFlickUp);
}

std::vector<std::string> namesHeard;
void recordName(CFNotificationCenterRef, void*, NSString name, const void*, NSMutableDictionary*)
{
    namesHeard.push_back(name.utf8());
}

void observeName(const std::string& name)
{
    CFNotificationCenterAddObserver(
        CFNotificationCenterGetDarwinNotifyCenter(), &namesHeard, recordName, NSString(name), nullptr, 0);
}

void postName(const std::string& name)
{
    CFNotificationCenterPostNotification(
        CFNotificationCenterGetDarwinNotifyCenter(), NSString(name), nullptr, nullptr, true);
}

// Processes that post once and leave at once, while another floods this
// process's queue (it holds a few datagrams): every post arrives, whether
// its datagram found room or not. This process reads only after the first
// half of them, and then between the others.
TEST_F(NotificationStorm, EveryPostArrivesHoweverSoonItsPosterExitsDuringAFlood)
{
    namesHeard.clear();
    constexpr int posters = 60;
    for (int index = 0; index < posters; ++index)
        observeName("com.example.post." + std::to_string(index));
    ReadySignal flooding;
    ReadySignal stopFlooding;
    auto flooder = ChildProcess::run([&] {
        for (int index = 0; !stopFlooding.hasSignalled(); ++index) {
            postName("com.example.flood");
            if (index == 100)
                flooding.signal();
        }
        return 0;
    });
    ASSERT_TRUE(flooding.wait());
    for (int index = 0; index < posters; ++index) {
        auto poster = ChildProcess::run([index] {
            postName("com.example.post." + std::to_string(index));
            return 0;
        });
        ASSERT_EQ(poster.waitForExit(), 0);
        if (index >= posters / 2)
            NSRunLoop::main().runUntilIdle();
    }
    stopFlooding.signal();
    ASSERT_EQ(flooder.waitForExit(), 0);
    NSRunLoop::main().runUntilIdle();

    std::sort(namesHeard.begin(), namesHeard.end());
    namesHeard.erase(std::unique(namesHeard.begin(), namesHeard.end()), namesHeard.end());
    RecordProperty("postsSent", posters);
    RecordProperty("postsDelivered", static_cast<int>(namesHeard.size()));
    EXPECT_EQ(namesHeard.size(), static_cast<std::size_t>(posters));
}

// A process that observes "com.example.changed" and reads nothing until it is
// told to; it then leaves with 0 when it heard that name exactly once.
class StalledListener {
public:
    StalledListener()
        : m_process(ChildProcess::run([this] {
            namesHeard.clear();
            observeName("com.example.changed");
            m_listening.signal();
            if (!m_readNow.wait())
                return 2;
            NSRunLoop::main().runUntilIdle();
            return namesHeard == std::vector<std::string> { "com.example.changed" } ? 0 : 1;
        }))
    {
    }

    bool waitUntilListening() const { return m_listening.wait(); }
    long lettersWaiting() const
    {
        std::string mailbox
            = DarwinNotifyTransport::socketFolder() + "/" + std::to_string(m_process.pid()) + ".pending";
        return std::distance(
            std::filesystem::directory_iterator(mailbox), std::filesystem::directory_iterator());
    }
    int readAndExit()
    {
        m_readNow.signal();
        return m_process.waitForExit();
    }

private:
    ReadySignal m_listening;
    ReadySignal m_readNow;
    ChildProcess m_process;
};

// A process that observes but never reads: a post costs the poster a send
// that finds its queue full and leaves each name waiting once, however often
// it is posted; other observers hear it as ever. Once that process reads, it
// hears the last name posted, though its poster left long before.
TEST_F(NotificationStorm, AListenerThatNeverReadsHoldsUpNobody)
{
    namesHeard.clear();
    observeName("com.example.changed");
    StalledListener stalled;
    ASSERT_TRUE(stalled.waitUntilListening());

    auto poster = ChildProcess::run([] {
        for (int index = 0; index < 10000; ++index)
            postName("com.example.other");
        postName("com.example.changed");
        return 0;
    });
    ASSERT_EQ(poster.waitForExit(), 0);
    EXPECT_EQ(stalled.lettersWaiting(), 2) << "each name waiting once, however often it was posted";
    NSRunLoop::main().runUntilIdle();
    EXPECT_EQ(namesHeard, (std::vector<std::string> { "com.example.changed" }));

    EXPECT_EQ(stalled.readAndExit(), 0) << "the stalled listener heard the name once it read";
}

// A name is a flag. Thousands of distinct names posted to a process that does
// not read leave a bounded mailbox, not a file each; when it reads, it hears
// the name it observes, posted once among them after the mailbox was full,
// exactly once.
TEST_F(NotificationStorm, DistinctNamesToAStoppedListenerLeaveABoundedMailbox)
{
    StalledListener stalled;
    ASSERT_TRUE(stalled.waitUntilListening());

    constexpr int distinctNames = 3000;
    auto poster = ChildProcess::run([] {
        for (int index = 0; index < distinctNames; ++index) {
            postName("com.example.name." + std::to_string(index));
            if (index == distinctNames / 2)
                postName("com.example.changed");
        }
        return 0;
    });
    ASSERT_EQ(poster.waitForExit(), 0);
    long waiting = stalled.lettersWaiting();
    RecordProperty("filesInTheMailbox", static_cast<int>(waiting));
    EXPECT_LE(waiting, 100) << "bounded, not one file for each of " << distinctNames << " names";
    EXPECT_EQ(stalled.readAndExit(), 0) << "the listener heard the name it observes, once";
}

} // namespace
