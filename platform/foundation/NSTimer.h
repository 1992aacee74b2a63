#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/NSObject.h"

#include <cstdint>
#include <functional>

// A timer of the main run loop: it fires once, or again every interval,
// until it is invalidated. The run loop holds a scheduled timer; whoever
// keeps the returned reference can invalidate it.
class PLATFORM_EXPORT NSTimer final : public NSObject {
public:
    using Action = std::function<void(NSTimer*)>;

    static Class* staticClass();
    // Creates a timer and schedules it on the main run loop, due `interval`
    // seconds from the loop's current time.
    static RefPtr<NSTimer> scheduledTimerWithTimeInterval(double interval, bool repeats, Action action);

    NSTimer(double interval, bool repeats, Action action);

    // Stops the timer for good and lets go of its action (and what it holds).
    void invalidate();
    bool isValid() const { return m_isValid; }
    // Valid and waiting in the run loop (not while its action runs).
    bool isScheduled() const { return m_isValid && m_isScheduled; }
    bool repeats() const { return m_repeats; }
    double timeInterval() const { return m_interval; }
    // When it is next due, in seconds on the run loop's clock.
    double fireDate() const;
    // Moves a scheduled timer's next firing to the given time on the run
    // loop's clock; an invalid or unscheduled timer stays as it is.
    void setFireDate(double fireDate);

private:
    friend class NSRunLoop;
    void fire();

    double m_interval;
    bool m_repeats;
    bool m_isValid { true };
    Action m_action;
    // Where the run loop keeps it: due time (nanoseconds) and a sequence
    // number that keeps timers due at the same moment in scheduling order.
    std::int64_t m_dueNanoseconds { 0 };
    std::uint64_t m_sequence { 0 };
    bool m_isScheduled { false };
};
