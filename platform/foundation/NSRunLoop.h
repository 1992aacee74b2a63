#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSTimer.h"
#include "platform/runtime/RefPtr.h"

#include <chrono>
#include <cstdint>
#include <deque>
#include <functional>
#include <map>
#include <vector>

template <typename> class NeverDestroyed;

// The main thread's run loop. Each turn it fires the timers that are due,
// runs the work queued for the next turn and serves the file descriptors
// that are readable; before it would wait it runs its observers (the
// toolkit's display pass hangs there).
//
// It has ONE clock. The real clock serves interactive use; the virtual
// clock, the default, stands still until the caller advances it, so scripts
// and tests run timers without sleeping. An exception that escapes any
// callback goes to the uncaught-exception handler and ends the process.
class PLATFORM_EXPORT NSRunLoop {
public:
    enum class Clock { Real, Virtual };
    using SourceIdentifier = std::uint64_t;

    static NSRunLoop& main();

    NSRunLoop(const NSRunLoop&) = delete;
    NSRunLoop& operator=(const NSRunLoop&) = delete;

    Clock clock() const { return m_clock; }
    // Switching clocks keeps the current time, so scheduled timers keep their places.
    void setClock(Clock clock);
    // Seconds (and nanoseconds) on the loop's clock.
    double currentTime() const { return static_cast<double>(currentTimeNanoseconds()) / 1e9; }
    std::int64_t currentTimeNanoseconds() const;

    void addTimer(const RefPtr<NSTimer>& timer);
    void removeTimer(NSTimer* timer);
    // Moves a scheduled timer to a new due time, behind the timers already
    // due then; the loop keeps the same entry, so nothing is allocated.
    void moveTimer(NSTimer* timer, double fireDate);

    // Runs the work on a later turn, in the order it was queued.
    void performOnNextTurn(std::function<void()> work);

    // Calls onReadable on the main thread whenever the descriptor has
    // something to read (or has hung up); the handler must consume it.
    SourceIdentifier addFileDescriptorSource(int fd, std::function<void()> onReadable);
    void removeFileDescriptorSource(SourceIdentifier source);

    // Runs the observer every time the loop is about to wait.
    SourceIdentifier addBeforeWaitingObserver(std::function<void()> observer);
    void removeBeforeWaitingObserver(SourceIdentifier observer);

    // Runs everything that is due now, as many turns as it takes, then the
    // before-waiting observers; a virtual clock does not move.
    void runUntilIdle();
    // Virtual clock: moves time forward by the given seconds, firing every
    // timer that comes due, in due order, at its own time (timers that fired
    // timers schedule fire too if they come due in the span). Real clock:
    // the same as runFor.
    void advanceBy(double seconds);
    // Runs the loop for the given seconds. On the real clock it waits on its
    // file descriptors between timers; on the virtual clock it advances.
    void runFor(double seconds);
    // Ends runFor at the end of the current turn.
    void stop() { m_stopRequested = true; }

    // Back to a fresh loop on the virtual clock at time 0 (for tests).
    void reset();

private:
    template <typename> friend class NeverDestroyed;
    NSRunLoop();

    struct FileDescriptorSource {
        int fd;
        std::function<void()> onReadable;
    };

    bool fireDueTimers();
    bool runQueuedWork();
    bool serveReadableDescriptors(std::chrono::nanoseconds wait);
    void runBeforeWaitingObservers();
    bool hasWorkDueNow() const;
    // Time until the earliest timer, or -1 when there is none.
    std::int64_t nanosecondsUntilNextTimer() const;

    Clock m_clock { Clock::Virtual };
    std::int64_t m_virtualNanoseconds { 0 };
    // Real time = steady clock - this origin, continuous with the virtual time on a switch.
    std::chrono::steady_clock::time_point m_realOrigin;

    struct ScheduledTimer {
        std::int64_t dueNanoseconds;
        std::uint64_t sequence;
        RefPtr<NSTimer> timer;
    };
    void insertScheduled(ScheduledTimer entry);
    std::vector<ScheduledTimer>::iterator scheduledEntryOf(const NSTimer* timer);
    std::int64_t earliestDueNanoseconds() const { return m_timers.front().dueNanoseconds; }

    // Sorted by due time, then by scheduling order. Only a few timers wait
    // at once (long press, key repeat), and a drag moves the long-press
    // timer on every event, so a sorted vector serves better than a tree.
    std::vector<ScheduledTimer> m_timers;
    std::uint64_t m_nextTimerSequence { 0 };
    std::deque<std::function<void()>> m_queuedWork;
    std::map<SourceIdentifier, FileDescriptorSource> m_descriptorSources;
    std::map<SourceIdentifier, std::function<void()>> m_observers;
    SourceIdentifier m_nextSourceIdentifier { 1 };
    bool m_stopRequested { false };
};
