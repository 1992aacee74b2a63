#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSTimer.h"

#include <functional>

// A one-shot timer of the main run loop owned by one keyboard object: it is
// invalidated when re-scheduled, cancelled or destroyed, so an action never
// outlives the object that armed it.
class PLATFORM_EXPORT KeyboardTimer {
public:
    KeyboardTimer() = default;
    KeyboardTimer(const KeyboardTimer&) = delete;
    KeyboardTimer& operator=(const KeyboardTimer&) = delete;
    ~KeyboardTimer() { cancel(); }

    void schedule(double delaySeconds, std::function<void()> action);
    // Moves a timer still waiting to fire to `delaySeconds` from now, with
    // the action it has; false when none is waiting.
    bool rearm(double delaySeconds);
    void cancel();
    bool isScheduled() const { return m_timer && m_timer->isValid(); }
    // When it is due, in seconds on the run loop's clock.
    double fireTime() const { return m_timer ? m_timer->fireDate() : 0; }

    // Seconds on the main run loop's clock.
    static double now();

private:
    RefPtr<NSTimer> m_timer;
};
