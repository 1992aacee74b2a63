#include "platform/keyboard/KeyboardTimer.h"

#include "platform/foundation/NSRunLoop.h"

void KeyboardTimer::schedule(double delaySeconds, std::function<void()> action)
{
    cancel();
    m_timer = NSTimer::scheduledTimerWithTimeInterval(
        delaySeconds, false, [action = std::move(action)](NSTimer*) { action(); });
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
