#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DarwinNotifyCenter.h"
#include "platform/foundation/DarwinNotifyTransport.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSRunLoop.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReadySignal.h"
#include "tests/support/TemporaryDeviceRoot.h"

#include <chrono>
#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

namespace {

std::vector<std::string> heard;
std::vector<void*> heardBy;
int firstObserver;
int secondObserver;

void hear(
    CFNotificationCenterRef, void* observer, NSString name, const void* object, NSMutableDictionary* userInfo)
{
    heard.push_back(name.utf8());
    heardBy.push_back(observer);
    // The Darwin centre never carries an object or extra information.
    if (object || userInfo)
        heard.push_back("<object or userInfo>");
}

void observe(const char* name, const void* observer = &firstObserver)
{
    CFNotificationCenterAddObserver(
        CFNotificationCenterGetDarwinNotifyCenter(), observer, &hear, name, nullptr, 0);
}

void post(const char* name)
{
    auto dictionary = NSMutableDictionary::dictionary();
    dictionary->setObject(1, "ignored");
    CFNotificationCenterPostNotification(
        CFNotificationCenterGetDarwinNotifyCenter(), name, &firstObserver, dictionary.get(), true);
}

NSRunLoop& loop()
{
    return NSRunLoop::main();
}

std::string socketFolder()
{
    return DarwinNotifyTransport::socketFolder();
}

std::string socketOf(pid_t pid)
{
    return socketFolder() + "/" + std::to_string(pid) + ".sock";
}

// In a child: runs the real-clock loop until the name was heard (exit 0) or
// the time is up (exit 1).
int runUntilHeard(const std::string& name, double seconds = 20)
{
    loop().setClock(NSRunLoop::Clock::Real);
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        loop().runFor(0.02);
        if (std::find(heard.begin(), heard.end(), name) != heard.end())
            return 0;
    }
    return 1;
}

class DarwinNotification : public testing::Test {
protected:
    void SetUp() override
    {
        heard.clear();
        heardBy.clear();
    }
};

TEST_F(DarwinNotification, PostReachesThisProcesssObserversOnTheNextTurn)
{
    observe("com.example.changed");
    observe("com.example.changed", &secondObserver);
    observe("com.example.other");
    post("com.example.changed");
    EXPECT_TRUE(heard.empty()) << "delivery waits for the run loop";
    loop().runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string> { "com.example.changed", "com.example.changed" }));
    EXPECT_EQ(heardBy, (std::vector<void*> { &firstObserver, &secondObserver }));
}

TEST_F(DarwinNotification, ABurstOfPostsIsDeliveredOncePerTurn)
{
    observe("com.example.changed");
    for (int index = 0; index < 10000; ++index)
        post("com.example.changed");
    loop().runUntilIdle();
    EXPECT_EQ(heard.size(), 1u);
    post("com.example.changed");
    loop().runUntilIdle();
    EXPECT_EQ(heard.size(), 2u);
}

TEST_F(DarwinNotification, RemovedObserversHearNothing)
{
    CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();
    observe("a");
    observe("b");
    observe("a", &secondObserver);
    CFNotificationCenterRemoveObserver(center, &firstObserver, "a", nullptr);
    post("a");
    post("b");
    loop().runUntilIdle();
    EXPECT_EQ(heardBy, (std::vector<void*> { &secondObserver, &firstObserver }));

    heard.clear();
    CFNotificationCenterRemoveEveryObserver(center, &firstObserver);
    CFNotificationCenterRemoveObserver(center, &secondObserver, NSString(), nullptr);
    post("a");
    post("b");
    loop().runUntilIdle();
    EXPECT_TRUE(heard.empty());
    EXPECT_FALSE(std::filesystem::exists(socketOf(::getpid()))) << "no observer, no socket";
}

TEST_F(DarwinNotification, PostInAnotherProcessReachesThisOne)
{
    observe("com.example.changed");
    auto poster = ChildProcess::run([] {
        post("com.example.unobserved");
        post("com.example.changed");
        return 0;
    });
    ASSERT_EQ(poster.waitForExit(), 0);
    loop().runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string> { "com.example.changed" }));
}

TEST_F(DarwinNotification, PostHereReachesAnObserverInAnotherProcess)
{
    ReadySignal ready;
    auto observer = ChildProcess::run([&] {
        observe("com.example.changed");
        ready.signal();
        return runUntilHeard("com.example.changed");
    });
    ASSERT_TRUE(ready.wait());
    post("com.example.changed");
    EXPECT_EQ(observer.waitForExit(), 0);
}

TEST_F(DarwinNotification, DeadObserversLeftoverSocketIsClearedAndLaterPostsStillArrive)
{
    ReadySignal ready;
    auto doomed = ChildProcess::run([&] {
        observe("com.example.changed");
        ready.signal();
        ::pause();
        return 0;
    });
    ASSERT_TRUE(ready.wait());
    std::string leftover = socketOf(doomed.pid());
    ASSERT_TRUE(std::filesystem::exists(leftover));
    doomed.kill(SIGKILL);
    doomed.waitForExit();
    ASSERT_TRUE(std::filesystem::exists(leftover)) << "a killed process cannot clean up";
    // Some unrelated files in the folder are ignored.
    std::ofstream(socketFolder() + "/notes.txt") << "x";

    observe("com.example.changed");
    auto poster = ChildProcess::run([] {
        post("com.example.changed");
        return 0;
    });
    ASSERT_EQ(poster.waitForExit(), 0);
    loop().runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string> { "com.example.changed" }));
    EXPECT_FALSE(std::filesystem::exists(leftover));
    EXPECT_TRUE(std::filesystem::exists(socketFolder() + "/notes.txt"));
}

TEST_F(DarwinNotification, MalformedOversizedAndUnobservedDatagramsAreIgnored)
{
    observe("x");
    int sender = ::socket(AF_UNIX, SOCK_DGRAM, 0);
    ASSERT_GE(sender, 0);
    sockaddr_un address {};
    address.sun_family = AF_UNIX;
    std::string path = socketOf(::getpid());
    ASSERT_LT(path.size(), sizeof address.sun_path);
    path.copy(address.sun_path, path.size());
    auto sendRaw = [&](const std::string& datagram) {
        return ::sendto(sender, datagram.data(), datagram.size(), 0, reinterpret_cast<sockaddr*>(&address),
            sizeof address);
    };
    for (const std::string& malformed : { std::string("x"), std::string("CVN1"), std::string("CVN1\xFF\xFEx"),
             std::string("CVN1x\n"), std::string("CVN1") + std::string(5000, 'x'), std::string("CVN1y") })
        ASSERT_GE(sendRaw(malformed), 0);
    loop().runUntilIdle();
    EXPECT_TRUE(heard.empty());
    ASSERT_GE(sendRaw("CVN1x"), 0);
    loop().runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string> { "x" }));
    ::close(sender);
}

TEST_F(DarwinNotification, ANameNeverCrossesDeviceRoots)
{
    std::string ownRoot = DeviceRoot::path();
    TemporaryDeviceRoot otherRoot;
    DeviceRoot::setOverride(ownRoot);
    observe("com.example.changed");

    auto elsewhere = ChildProcess::run([&] {
        DeviceRoot::setOverride(otherRoot.path());
        post("com.example.changed");
        return 0;
    });
    ASSERT_EQ(elsewhere.waitForExit(), 0);
    loop().runUntilIdle();
    EXPECT_TRUE(heard.empty());

    auto here = ChildProcess::run([] {
        post("com.example.changed");
        return 0;
    });
    ASSERT_EQ(here.waitForExit(), 0);
    loop().runUntilIdle();
    EXPECT_EQ(heard.size(), 1u);
}

// Each user listens in a folder of their own, made with fixed modes whatever
// the umask: nobody else can read the names posted there or take the folder's
// place. A folder that belongs to someone else is not used, and the process
// says that it cannot hear other processes, and why.
TEST_F(DarwinNotification, EachUserListensInAFolderOfTheirOwnClosedToOthers)
{
    mode_t umask = ::umask(0);
    observe("x");
    ::umask(umask);
    struct stat status { };
    ASSERT_EQ(::stat(socketFolder().c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0700u);
    EXPECT_EQ(status.st_uid, ::geteuid());
    EXPECT_TRUE(socketFolder().ends_with("-" + std::to_string(::geteuid())));
    ASSERT_EQ(::stat(DeviceRoot::devicePath("/var/run").c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0755u) << "not the umask's 0777";
    EXPECT_TRUE(std::filesystem::is_socket(socketOf(::getpid())));
    EXPECT_TRUE(DarwinNotifyCenter::shared().listeningProblem().empty());

    if (::geteuid() != 0)
        GTEST_SKIP() << "handing the folder to another user takes the superuser";
    CFNotificationCenterRemoveEveryObserver(CFNotificationCenterGetDarwinNotifyCenter(), &firstObserver);
    ASSERT_EQ(::chown(socketFolder().c_str(), 65534, 65534), 0);
    testing::internal::CaptureStderr();
    observe("x");
    std::string log = testing::internal::GetCapturedStderr();
    std::string problem = DarwinNotifyCenter::shared().listeningProblem();
    EXPECT_NE(problem.find(socketFolder() + " belongs to another user"), std::string::npos) << problem;
    EXPECT_NE(log.find("cannot listen, so what other processes post will not reach it: " + problem),
        std::string::npos)
        << log;
    // What this process posts itself still reaches it.
    post("x");
    loop().runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string> { "x" }));
}

TEST_F(DarwinNotification, BurstToAStalledObserverStillEndsWithTheLastName)
{
    loop().setClock(NSRunLoop::Clock::Real);
    ReadySignal ready;
    auto observer = ChildProcess::run([&] {
        observe("com.example.other");
        observe("com.example.last");
        ready.signal();
        return runUntilHeard("com.example.last", 60);
    });
    ASSERT_TRUE(ready.wait());
    // While the observer is stopped its queue fills with the first names; the
    // last one must still reach it once it runs again.
    observer.kill(SIGSTOP);
    int status = 0;
    ASSERT_EQ(::waitpid(observer.pid(), &status, WUNTRACED), observer.pid());
    for (int index = 0; index < 10000; ++index)
        post("com.example.other");
    post("com.example.last");
    // Every post was handed over before it returned: this process has
    // nothing left to send and does not run its loop again.
    observer.kill(SIGCONT);
    EXPECT_EQ(observer.waitForExit(60), 0);
}

// Datagrams waiting in full queues count against the socket that sent them.
// Many listeners that never read must not use that up for one that does.
TEST_F(DarwinNotification, ListenersThatNeverReadDoNotStopAPostReachingOneThatDoes)
{
    observe("com.example.changed");
    std::vector<int> neverRead;
    for (int index = 0; index < 60; ++index) {
        int listener = ::socket(AF_UNIX, SOCK_DGRAM, 0);
        sockaddr_un address {};
        address.sun_family = AF_UNIX;
        std::string path = socketFolder() + "/" + std::to_string(90000000 + index) + ".sock";
        ASSERT_LT(path.size(), sizeof address.sun_path);
        path.copy(address.sun_path, path.size());
        ASSERT_EQ(::bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        neverRead.push_back(listener);
    }
    ReadySignal filled;
    ReadySignal drained;
    auto poster = ChildProcess::run([&] {
        for (int index = 0; index < 20; ++index)
            post("com.example.other");
        filled.signal();
        if (!drained.wait())
            return 2;
        post("com.example.changed");
        return 0;
    });
    ASSERT_TRUE(filled.wait());
    loop().runUntilIdle();
    drained.signal();
    ASSERT_EQ(poster.waitForExit(), 0);
    loop().runUntilIdle();
    EXPECT_EQ(heard, (std::vector<std::string> { "com.example.changed" }));
    for (int listener : neverRead)
        ::close(listener);
}

} // namespace
