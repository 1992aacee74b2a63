#include "platform/keyboard/KeyboardTimer.h"

#include "platform/foundation/NSRunLoop.h"

#include <algorithm>

void KeyboardTimer::schedule(double delaySeconds, std::function<void()> action)
{
    cancel();
    m_timer = NSTimer::scheduledTimerWithTimeInterval(
        delaySeconds, false, [action = std::move(action)](NSTimer*) { action(); });
}

bool KeyboardTimer::rearm(double delaySeconds)
{
    if (!m_timer || !m_timer->isScheduled())
        return false;
    m_timer->setFireDate(now() + std::max(delaySeconds, 0.0));
    return true;
}

void KeyboardTimer::cancel()
{
    if (RefPtr<NSTimer> timer = std::move(m_timer))
        timer->invalidate();
}

double KeyboardTimer::now()
{
    return NSRunLoop::main().currentTime();
}
