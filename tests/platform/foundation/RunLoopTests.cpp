#include "platform/foundation/Dispatch.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSUncaughtExceptionHandler.h"
#include "platform/foundation/PerformSelector.h"
#include "platform/runtime/Class.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/substrate/Substrate.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReadySignal.h"

#include <csignal>
#include <gtest/gtest.h>
#include <stdexcept>
#include <string>
#include <unistd.h>
#include <vector>

namespace {

constinit Selector<void(NSObject*)> recordArgument("recordArgument:");
constinit Selector<bool()> ping("ping");

// Something to send delayed messages to; every message that arrives is
// noted in one log, which outlives the recorders.
struct Delivery {
    NSObject* receiver;
    NSObject* argument;
    double time;
};
std::vector<Delivery> deliveries;

class Recorder final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("RunLoopTestRecorder", NSObject::staticClass());
            addMethod<&Recorder::recordArgument>(created, ::recordArgument);
            addMethod<&Recorder::ping>(created, ::ping);
            return created;
        }();
        return cls;
    }
    Recorder()
        : NSObject(staticClass())
    {
    }

    void recordArgument(NSObject* argument)
    {
        deliveries.push_back({ this, argument, NSRunLoop::main().currentTime() });
    }
    bool ping()
    {
        deliveries.push_back({ this, nullptr, NSRunLoop::main().currentTime() });
        return true;
    }
};

NSRunLoop& loop()
{
    return NSRunLoop::main();
}

// Schedules a one-shot timer that notes its label and the time it fired.
void noteAfter(std::vector<std::pair<std::string, double>>& log, std::string label, double delay)
{
    NSTimer::scheduledTimerWithTimeInterval(
        delay, false, [&log, label](NSTimer*) { log.emplace_back(label, loop().currentTime()); });
}

TEST(RunLoop, VirtualClockFiresTimersInDueOrderAndOnlyWhenDue)
{
    std::vector<std::pair<std::string, double>> log;
    noteAfter(log, "half", 0.5);
    noteAfter(log, "tenth", 0.1);
    noteAfter(log, "first of two", 0.3);
    noteAfter(log, "second of two", 0.3);

    loop().runUntilIdle();
    EXPECT_TRUE(log.empty()) << "nothing is due before the clock moves";

    loop().advanceBy(0.2);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].first, "tenth");
    EXPECT_DOUBLE_EQ(log[0].second, 0.1);
    EXPECT_DOUBLE_EQ(loop().currentTime(), 0.2);

    loop().advanceBy(0.1);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[1].first, "first of two");
    EXPECT_EQ(log[2].first, "second of two");
    EXPECT_DOUBLE_EQ(log[2].second, 0.3);

    loop().advanceBy(0.19);
    EXPECT_EQ(log.size(), 3u);
    loop().advanceBy(0.01);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[3].first, "half");
}

TEST(RunLoop, TimersScheduledByAFiringTimerFireIfTheyComeDueInTheSameAdvance)
{
    std::vector<std::pair<std::string, double>> log;
    NSTimer::scheduledTimerWithTimeInterval(0.1, false, [&](NSTimer*) {
        log.emplace_back("outer", loop().currentTime());
        noteAfter(log, "soon", 0.1);
        noteAfter(log, "later", 0.5);
    });
    loop().advanceBy(0.3);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[1].first, "soon");
    EXPECT_DOUBLE_EQ(log[1].second, 0.2);
    loop().advanceBy(0.3);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_DOUBLE_EQ(log[2].second, 0.6);
}

TEST(RunLoop, RepeatingTimerKeepsItsRhythmUntilInvalidated)
{
    std::vector<double> fired;
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0.1, true, [&](NSTimer* self) {
        fired.push_back(loop().currentTime());
        if (fired.size() == 5)
            self->invalidate();
    });
    loop().advanceBy(0.35);
    ASSERT_EQ(fired.size(), 3u);
    EXPECT_DOUBLE_EQ(fired[2], 0.3);
    loop().advanceBy(10);
    EXPECT_EQ(fired.size(), 5u) << "the timer invalidated itself at its fifth firing";
    EXPECT_FALSE(timer->isValid());
}

TEST(RunLoop, MovedTimerFiresOnceAtItsNewDateBehindTimersAlreadyDueThen)
{
    std::vector<std::pair<std::string, double>> log;
    auto moved = NSTimer::scheduledTimerWithTimeInterval(
        0.1, false, [&](NSTimer*) { log.emplace_back("moved", loop().currentTime()); });
    noteAfter(log, "already due at 0.4", 0.4);

    loop().advanceBy(0.05);
    moved->setFireDate(0.4);
    EXPECT_DOUBLE_EQ(moved->fireDate(), 0.4);
    loop().advanceBy(0.3);
    EXPECT_TRUE(log.empty()) << "the old date no longer fires it";

    loop().advanceBy(0.05);
    ASSERT_EQ(log.size(), 2u);
    EXPECT_EQ(log[0].first, "already due at 0.4");
    EXPECT_EQ(log[1].first, "moved");
    EXPECT_DOUBLE_EQ(log[1].second, 0.4);
    EXPECT_FALSE(moved->isValid());

    moved->setFireDate(1.0);
    loop().advanceBy(1);
    EXPECT_EQ(log.size(), 2u) << "a timer that has fired is not brought back";
}

// Moves earlier, later past another timer, to another timer's time and
// within a timer's own place all keep the timers in due order.
TEST(RunLoop, MovedTimersKeepTheDueOrderWhicheverWayTheyMove)
{
    std::vector<std::pair<std::string, double>> log;
    auto noting = [&log](std::string label, double delay) {
        return NSTimer::scheduledTimerWithTimeInterval(
            delay, false, [&log, label](NSTimer*) { log.emplace_back(label, loop().currentTime()); });
    };
    auto a = noting("a", 0.1);
    auto b = noting("b", 0.2);
    auto c = noting("c", 0.3);
    b->setFireDate(0.05);
    a->setFireDate(0.15);
    c->setFireDate(0.15);
    noting("d", 0.12);
    a->setFireDate(0.16);
    a->setFireDate(0.15);

    loop().advanceBy(1);
    std::vector<std::string> order;
    for (const auto& [label, time] : log)
        order.push_back(label);
    EXPECT_EQ(order, (std::vector<std::string> { "b", "d", "c", "a" }));
    ASSERT_EQ(log.size(), 4u);
    EXPECT_DOUBLE_EQ(log[0].second, 0.05);
    EXPECT_DOUBLE_EQ(log[1].second, 0.12);
    EXPECT_DOUBLE_EQ(log[2].second, 0.15);
    EXPECT_DOUBLE_EQ(log[3].second, 0.15);
}

TEST(RunLoop, InvalidatedTimerFiresNoMoreAndLetsGoOfWhatItHolds)
{
    RefPtr<Recorder> held = makeRef<Recorder>();
    WeakPtr<Recorder> watch(held.get());
    int fired = 0;
    auto timer = NSTimer::scheduledTimerWithTimeInterval(0.1, false, [&fired, held](NSTimer*) { ++fired; });
    held = nullptr;
    EXPECT_TRUE(watch) << "the scheduled timer keeps its action's objects";
    timer->invalidate();
    EXPECT_FALSE(watch);
    loop().advanceBy(1);
    EXPECT_EQ(fired, 0);
}

TEST(RunLoop, NextTurnWorkRunsInOrderAndWorkItQueuesRunsOnALaterTurn)
{
    std::vector<std::string> order;
    loop().performOnNextTurn([&] {
        order.push_back("A");
        loop().performOnNextTurn([&] { order.push_back("C"); });
    });
    loop().performOnNextTurn([&] { order.push_back("B"); });
    EXPECT_TRUE(order.empty());
    loop().runUntilIdle();
    EXPECT_EQ(order, (std::vector<std::string> { "A", "B", "C" }));
    EXPECT_DOUBLE_EQ(loop().currentTime(), 0);
}

TEST(RunLoop, BeforeWaitingObserversRunOnceTheDueWorkIsDone)
{
    std::vector<std::string> order;
    auto observer = loop().addBeforeWaitingObserver([&] { order.push_back("display"); });
    loop().performOnNextTurn([&] { order.push_back("work"); });
    NSTimer::scheduledTimerWithTimeInterval(0.1, false, [&](NSTimer*) { order.push_back("timer"); });
    loop().advanceBy(0.2);
    EXPECT_EQ(order, (std::vector<std::string> { "work", "display", "timer", "display", "display" }));

    loop().removeBeforeWaitingObserver(observer);
    loop().performOnNextTurn([&] { order.push_back("work"); });
    loop().runUntilIdle();
    EXPECT_EQ(order.back(), "work");
}

TEST(RunLoop, FileDescriptorSourcesServeReadableDescriptors)
{
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    std::string received;
    auto source = loop().addFileDescriptorSource(pipeEnds[0], [&] {
        char buffer[64];
        ssize_t length = ::read(pipeEnds[0], buffer, sizeof buffer);
        received.append(buffer, static_cast<std::size_t>(std::max<ssize_t>(length, 0)));
    });
    loop().runUntilIdle();
    EXPECT_TRUE(received.empty());
    ASSERT_EQ(::write(pipeEnds[1], "ping", 4), 4);
    loop().runUntilIdle();
    EXPECT_EQ(received, "ping");

    loop().removeFileDescriptorSource(source);
    ASSERT_EQ(::write(pipeEnds[1], "more", 4), 4);
    loop().runUntilIdle();
    EXPECT_EQ(received, "ping");
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

TEST(RunLoop, RealClockWaitsOnDescriptorsUntilStopped)
{
    loop().setClock(NSRunLoop::Clock::Real);
    int pipeEnds[2];
    ASSERT_EQ(::pipe(pipeEnds), 0);
    // Another process writes once this one is about to wait in the loop.
    ReadySignal waiting;
    auto writer = ChildProcess::run([&] {
        if (!waiting.wait())
            return 2;
        return ::write(pipeEnds[1], "x", 1) == 1 ? 0 : 1;
    });
    bool served = false;
    loop().addFileDescriptorSource(pipeEnds[0], [&] {
        char byte;
        served = ::read(pipeEnds[0], &byte, 1) == 1;
        loop().stop();
    });
    auto aboutToWait = loop().addBeforeWaitingObserver([&] { waiting.signal(); });
    loop().runFor(30);
    loop().removeBeforeWaitingObserver(aboutToWait);
    EXPECT_TRUE(served);
    EXPECT_EQ(writer.waitForExit(), 0);
    ::close(pipeEnds[0]);
    ::close(pipeEnds[1]);
}

TEST(PerformSelector, SendsTheMessageAfterTheDelayAndKeepsTargetAndArgumentUntilThen)
{
    deliveries.clear();
    RefPtr<Recorder> target = makeRef<Recorder>();
    RefPtr<Recorder> argument = makeRef<Recorder>();
    NSObject* targetAddress = target.get();
    NSObject* argumentAddress = argument.get();
    WeakPtr<Recorder> watchTarget(target.get());
    WeakPtr<Recorder> watchArgument(argument.get());
    performSelectorAfterDelay(target.get(), recordArgument, static_cast<NSObject*>(argument.get()), 0.1);
    target = nullptr;
    argument = nullptr;

    loop().advanceBy(0.05);
    EXPECT_TRUE(deliveries.empty());
    EXPECT_TRUE(watchTarget && watchArgument) << "both are kept until the message is sent";

    loop().advanceBy(0.05);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].receiver, targetAddress);
    EXPECT_EQ(deliveries[0].argument, argumentAddress);
    EXPECT_DOUBLE_EQ(deliveries[0].time, 0.1);
    EXPECT_FALSE(watchTarget || watchArgument) << "both are released once the message was sent";
}

int replacementPings = 0;

bool replacedPing(NSObject*)
{
    ++replacementPings;
    return false;
}

TEST(PerformSelector, TheMessageGoesThroughTheMethodTableWhenItIsSent)
{
    deliveries.clear();
    auto target = makeRef<Recorder>();
    replacementPings = 0;
    performSelectorAfterDelay(target.get(), ping, nullptr, 0.1);
    Selector<bool()>::Implementation previous = nullptr;
    ASSERT_TRUE(MSHookMessageEx(Recorder::staticClass(), ping, &replacedPing, &previous));
    loop().advanceBy(0.1);
    EXPECT_EQ(replacementPings, 1);
    EXPECT_TRUE(deliveries.empty());
}

TEST(PerformSelector, CancelledRequestsNeverRunAndReleaseTheirTarget)
{
    deliveries.clear();
    RefPtr<Recorder> target = makeRef<Recorder>();
    auto other = makeRef<Recorder>();
    WeakPtr<Recorder> watch(target.get());
    performSelectorAfterDelay(target.get(), ping, nullptr, 0.1);
    performSelectorAfterDelay(target.get(), ping, nullptr, 0.2);
    performSelectorAfterDelay(other.get(), ping, nullptr, 0.1);
    target = nullptr;
    cancelPreviousPerformRequestsWithTarget(watch.get());
    EXPECT_FALSE(watch);
    loop().advanceBy(1);
    ASSERT_EQ(deliveries.size(), 1u);
    EXPECT_EQ(deliveries[0].receiver, other.get());

    performSelectorAfterDelay(nullptr, ping, nullptr, 0.1);
    loop().advanceBy(1);
    EXPECT_EQ(deliveries.size(), 1u);
}

TEST(Dispatch, AfterRunsBlocksOnTheMainQueueWhenTheirTimeComes)
{
    std::vector<std::pair<std::string, double>> log;
    auto note
        = [&](const char* label) { return [&log, label] { log.emplace_back(label, loop().currentTime()); }; };
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, 100000000), dispatch_get_main_queue(), note("0.1 s"));
    dispatch_after(
        dispatch_time(DISPATCH_TIME_NOW, 50 * NSEC_PER_MSEC), dispatch_get_main_queue(), note("50 ms"));
    dispatch_after(DISPATCH_TIME_FOREVER, dispatch_get_main_queue(), note("never"));
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, -NSEC_PER_SEC), dispatch_get_main_queue(), note("past"));
    dispatch_async(dispatch_get_main_queue(), note("async"));
    EXPECT_TRUE(log.empty());

    loop().advanceBy(0.099);
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[0].first, "past");
    EXPECT_EQ(log[1].first, "async");
    EXPECT_EQ(log[2].first, "50 ms");
    EXPECT_DOUBLE_EQ(log[2].second, 0.05);
    loop().advanceBy(1000);
    ASSERT_EQ(log.size(), 4u);
    EXPECT_EQ(log[3].first, "0.1 s");
    EXPECT_DOUBLE_EQ(log[3].second, 0.1);
}

TEST(Dispatch, TimesAreOnTheRunLoopsClock)
{
    loop().advanceBy(2);
    EXPECT_EQ(dispatch_time(DISPATCH_TIME_NOW, 0), 2 * static_cast<dispatch_time_t>(NSEC_PER_SEC));
    EXPECT_EQ(dispatch_time(5, 10), 15u);
    EXPECT_EQ(dispatch_time(5, -10), 0u);
    EXPECT_EQ(dispatch_time(DISPATCH_TIME_FOREVER, -1), DISPATCH_TIME_FOREVER);
}

void logHandledException(const NSException& exception)
{
    std::fprintf(stderr, "handler saw %s (%s) with %zu stack entries\n", exception.name().c_str(),
        exception.reason().c_str(), exception.callStackSymbols().size());
}

TEST(UncaughtExceptionDeathTest, EscapingExceptionGoesToTheHandlerThenTheProcessAborts)
{
    EXPECT_EXIT(
        {
            NSSetUncaughtExceptionHandler(&logHandledException);
            loop().performOnNextTurn([] { throw NSException("CorvaneTestException", "boom"); });
            loop().runUntilIdle();
        },
        testing::KilledBySignal(SIGABRT),
        "handler saw CorvaneTestException \\(boom\\) with [1-9][0-9]* stack entries.*"
        "Terminating app due to uncaught exception 'CorvaneTestException', reason: 'boom'");
}

TEST(UncaughtExceptionDeathTest, OtherExceptionsArriveAsPlatformExceptions)
{
    EXPECT_EXIT(
        {
            NSSetUncaughtExceptionHandler(&logHandledException);
            NSTimer::scheduledTimerWithTimeInterval(
                0.1, false, [](NSTimer*) { throw std::runtime_error("bad"); });
            loop().advanceBy(1);
        },
        testing::KilledBySignal(SIGABRT), "handler saw NSGenericException \\(bad\\)");
}

TEST(UncaughtExceptionDeathTest, WithoutAHandlerTheTerminationIsStillLogged)
{
    EXPECT_EXIT(
        {
            dispatch_async(dispatch_get_main_queue(), [] { throw NSException("Plain", "no handler"); });
            loop().runUntilIdle();
        },
        testing::KilledBySignal(SIGABRT),
        "Terminating app due to uncaught exception 'Plain', reason: 'no handler'");
}

} // namespace
