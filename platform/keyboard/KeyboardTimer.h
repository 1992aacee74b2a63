#pragma once

#include "platform/PlatformExport.h"

#include <functional>

// A one-shot timer on the keyboard's clock. The clock only moves when the
// host advances it, so long presses and double taps are driven without
// sleeping. A timer that is destroyed or re-scheduled never fires its old
// action.
class PLATFORM_EXPORT KeyboardTimer {
public:
    KeyboardTimer() = default;
    KeyboardTimer(const KeyboardTimer&) = delete;
    KeyboardTimer& operator=(const KeyboardTimer&) = delete;
    ~KeyboardTimer();

    void schedule(double delaySeconds, std::function<void()> action);
    void cancel();
    bool isScheduled() const { return m_scheduled; }
    double fireTime() const { return m_fireTime; }

    // Seconds on the keyboard's clock.
    static double now();
    // Moves the clock on, firing every timer that falls due, earliest first.
    static void advanceClock(double seconds);

private:
    std::function<void()> m_action;
    double m_fireTime { 0 };
    bool m_scheduled { false };
};
