#include "platform/foundation/NSRunLoop.h"

#include "platform/foundation/NSUncaughtExceptionHandler.h"
#include "platform/foundation/NeverDestroyed.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <poll.h>
#include <tuple>
#include <vector>

namespace {

std::int64_t toNanoseconds(double seconds)
{
    if (!(seconds > 0))
        return 0;
    constexpr double largest = 9.2e18;
    double nanoseconds = seconds * 1e9;
    return nanoseconds >= largest ? static_cast<std::int64_t>(largest) : std::llround(nanoseconds);
}

// Every callback runs here: nothing may escape the loop except through the
// uncaught-exception handler, which ends the process.
template <typename Callback> void invokeCallback(Callback&& callback)
{
    try {
        callback();
    } catch (...) {
        terminateWithUncaughtException(std::current_exception());
    }
}

} // namespace

NSRunLoop& NSRunLoop::main()
{
    static NeverDestroyed<NSRunLoop> loop;
    return loop.get();
}

NSRunLoop::NSRunLoop()
    : m_realOrigin(std::chrono::steady_clock::now())
{
}

void NSRunLoop::setClock(Clock clock)
{
    if (clock == m_clock)
        return;
    std::int64_t now = currentTimeNanoseconds();
    m_clock = clock;
    if (clock == Clock::Real)
        m_realOrigin = std::chrono::steady_clock::now() - std::chrono::nanoseconds(now);
    else
        m_virtualNanoseconds = now;
}

std::int64_t NSRunLoop::currentTimeNanoseconds() const
{
    if (m_clock == Clock::Virtual)
        return m_virtualNanoseconds;
    return std::chrono::duration_cast<std::chrono::nanoseconds>(
        std::chrono::steady_clock::now() - m_realOrigin)
        .count();
}

void NSRunLoop::addTimer(const RefPtr<NSTimer>& timer)
{
    if (!timer || !timer->isValid() || timer->m_isScheduled)
        return;
    timer->m_dueNanoseconds = currentTimeNanoseconds() + toNanoseconds(timer->timeInterval());
    timer->m_sequence = m_nextTimerSequence++;
    timer->m_isScheduled = true;
    insertScheduled({ timer->m_dueNanoseconds, timer->m_sequence, timer });
}

void NSRunLoop::removeTimer(NSTimer* timer)
{
    if (!timer || !timer->m_isScheduled)
        return;
    timer->m_isScheduled = false;
    auto entry = scheduledEntryOf(timer);
    if (entry != m_timers.end())
        m_timers.erase(entry);
}

void NSRunLoop::moveTimer(NSTimer* timer, double fireDate)
{
    if (!timer || !timer->m_isScheduled)
        return;
    auto entry = scheduledEntryOf(timer);
    if (entry == m_timers.end())
        return;
    timer->m_dueNanoseconds = toNanoseconds(fireDate);
    timer->m_sequence = m_nextTimerSequence++;
    // The newest sequence sorts last among equal times, so the entry keeps
    // its place when no earlier entry is due later and the next one is due
    // later still; a lone long-press timer always does.
    bool staysInPlace = (entry == m_timers.begin() || (entry - 1)->dueNanoseconds <= timer->m_dueNanoseconds)
        && (entry + 1 == m_timers.end() || (entry + 1)->dueNanoseconds > timer->m_dueNanoseconds);
    if (staysInPlace) {
        entry->dueNanoseconds = timer->m_dueNanoseconds;
        entry->sequence = timer->m_sequence;
        return;
    }
    RefPtr<NSTimer> kept = std::move(entry->timer);
    m_timers.erase(entry);
    insertScheduled({ timer->m_dueNanoseconds, timer->m_sequence, std::move(kept) });
}

void NSRunLoop::insertScheduled(ScheduledTimer entry)
{
    auto position = std::upper_bound(
        m_timers.begin(), m_timers.end(), entry, [](const ScheduledTimer& left, const ScheduledTimer& right) {
            return std::tie(left.dueNanoseconds, left.sequence)
                < std::tie(right.dueNanoseconds, right.sequence);
        });
    m_timers.insert(position, std::move(entry));
}

std::vector<NSRunLoop::ScheduledTimer>::iterator NSRunLoop::scheduledEntryOf(const NSTimer* timer)
{
    auto entry = std::lower_bound(
        m_timers.begin(), m_timers.end(), timer, [](const ScheduledTimer& scheduled, const NSTimer* wanted) {
            return std::tie(scheduled.dueNanoseconds, scheduled.sequence)
                < std::tie(wanted->m_dueNanoseconds, wanted->m_sequence);
        });
    return entry != m_timers.end() && entry->timer.get() == timer ? entry : m_timers.end();
}

void NSRunLoop::performOnNextTurn(std::function<void()> work)
{
    if (work)
        m_queuedWork.push_back(std::move(work));
}

NSRunLoop::SourceIdentifier NSRunLoop::addFileDescriptorSource(int fd, std::function<void()> onReadable)
{
    SourceIdentifier identifier = m_nextSourceIdentifier++;
    m_descriptorSources.emplace(identifier, FileDescriptorSource { fd, std::move(onReadable) });
    return identifier;
}

void NSRunLoop::removeFileDescriptorSource(SourceIdentifier source)
{
    m_descriptorSources.erase(source);
}

NSRunLoop::SourceIdentifier NSRunLoop::addBeforeWaitingObserver(std::function<void()> observer)
{
    SourceIdentifier identifier = m_nextSourceIdentifier++;
    m_observers.emplace(identifier, std::move(observer));
    return identifier;
}

void NSRunLoop::removeBeforeWaitingObserver(SourceIdentifier observer)
{
    m_observers.erase(observer);
}

bool NSRunLoop::fireDueTimers()
{
    bool fired = false;
    // Timers that a firing timer schedules fire in this pass too when they are due.
    while (!m_timers.empty() && earliestDueNanoseconds() <= currentTimeNanoseconds()) {
        RefPtr<NSTimer> timer = std::move(m_timers.front().timer);
        m_timers.erase(m_timers.begin());
        timer->m_isScheduled = false;
        if (timer->repeats()) {
            // The next time is counted from when it was due, not from now,
            // so a repeating timer keeps its rhythm; missed beats are skipped.
            std::int64_t interval = std::max<std::int64_t>(toNanoseconds(timer->timeInterval()), 1);
            std::int64_t next = timer->m_dueNanoseconds + interval;
            std::int64_t now = currentTimeNanoseconds();
            if (next <= now)
                next += ((now - next) / interval + 1) * interval;
            timer->m_dueNanoseconds = next;
            timer->m_sequence = m_nextTimerSequence++;
            timer->m_isScheduled = true;
            insertScheduled({ next, timer->m_sequence, timer });
        }
        invokeCallback([&] { timer->fire(); });
        if (!timer->repeats())
            timer->invalidate();
        fired = true;
    }
    return fired;
}

bool NSRunLoop::runQueuedWork()
{
    // Work queued while this batch runs waits for the next turn.
    std::deque<std::function<void()>> batch;
    batch.swap(m_queuedWork);
    for (auto& work : batch)
        invokeCallback(work);
    return !batch.empty();
}

bool NSRunLoop::serveReadableDescriptors(std::chrono::nanoseconds wait)
{
    std::vector<pollfd> descriptors;
    std::vector<SourceIdentifier> identifiers;
    for (const auto& [identifier, source] : m_descriptorSources) {
        descriptors.push_back(pollfd { source.fd, POLLIN, 0 });
        identifiers.push_back(identifier);
    }
    timespec timeout { static_cast<time_t>(wait.count() / 1000000000),
        static_cast<long>(wait.count() % 1000000000) };
    int ready = ::ppoll(descriptors.data(), descriptors.size(), &timeout, nullptr);
    if (ready <= 0)
        return false;
    bool served = false;
    for (std::size_t index = 0; index < descriptors.size(); ++index) {
        if (!(descriptors[index].revents & (POLLIN | POLLHUP | POLLERR | POLLNVAL)))
            continue;
        // A handler may have removed this source (or another) meanwhile.
        auto found = m_descriptorSources.find(identifiers[index]);
        if (found == m_descriptorSources.end())
            continue;
        if (descriptors[index].revents & POLLNVAL) {
            m_descriptorSources.erase(found);
            continue;
        }
        std::function<void()> handler = found->second.onReadable;
        invokeCallback(handler);
        served = true;
    }
    return served;
}

void NSRunLoop::runBeforeWaitingObservers()
{
    std::vector<std::pair<SourceIdentifier, std::function<void()>>> snapshot(
        m_observers.begin(), m_observers.end());
    for (auto& [identifier, observer] : snapshot) {
        if (m_observers.count(identifier))
            invokeCallback(observer);
    }
}

bool NSRunLoop::hasWorkDueNow() const
{
    return !m_queuedWork.empty()
        || (!m_timers.empty() && earliestDueNanoseconds() <= currentTimeNanoseconds());
}

std::int64_t NSRunLoop::nanosecondsUntilNextTimer() const
{
    if (m_timers.empty())
        return -1;
    return std::max<std::int64_t>(earliestDueNanoseconds() - currentTimeNanoseconds(), 0);
}

void NSRunLoop::runUntilIdle()
{
    while (true) {
        bool didWork = fireDueTimers();
        didWork |= runQueuedWork();
        didWork |= serveReadableDescriptors(std::chrono::nanoseconds(0));
        if (didWork)
            continue;
        runBeforeWaitingObservers();
        if (!hasWorkDueNow())
            return;
    }
}

void NSRunLoop::advanceBy(double seconds)
{
    if (m_clock == Clock::Real) {
        runFor(seconds);
        return;
    }
    std::int64_t target = m_virtualNanoseconds + toNanoseconds(seconds);
    runUntilIdle();
    while (!m_timers.empty() && earliestDueNanoseconds() <= target) {
        m_virtualNanoseconds = std::max(m_virtualNanoseconds, earliestDueNanoseconds());
        runUntilIdle();
    }
    m_virtualNanoseconds = target;
    runUntilIdle();
}

void NSRunLoop::runFor(double seconds)
{
    if (m_clock == Clock::Virtual) {
        advanceBy(seconds);
        return;
    }
    m_stopRequested = false;
    std::int64_t deadline = currentTimeNanoseconds() + toNanoseconds(seconds);
    while (!m_stopRequested) {
        runUntilIdle();
        std::int64_t remaining = deadline - currentTimeNanoseconds();
        if (remaining <= 0 || m_stopRequested)
            break;
        std::int64_t untilTimer = nanosecondsUntilNextTimer();
        std::int64_t wait = untilTimer < 0 ? remaining : std::min(remaining, untilTimer);
        serveReadableDescriptors(std::chrono::nanoseconds(wait));
    }
    m_stopRequested = false;
}

void NSRunLoop::reset()
{
    auto timers = std::move(m_timers);
    m_timers.clear();
    for (auto& scheduled : timers) {
        scheduled.timer->m_isScheduled = false;
        scheduled.timer->invalidate();
    }
    m_queuedWork.clear();
    m_descriptorSources.clear();
    m_observers.clear();
    m_clock = Clock::Virtual;
    m_virtualNanoseconds = 0;
    m_nextTimerSequence = 0;
    m_stopRequested = false;
}
