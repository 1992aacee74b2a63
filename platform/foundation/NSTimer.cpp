#include "platform/foundation/NSTimer.h"

#include "platform/foundation/NSRunLoop.h"
#include "platform/runtime/Class.h"

namespace {

// As on the platform, a repeating timer fires at most every 0.1 ms.
constexpr double minimumRepeatInterval = 0.0001;

} // namespace

Class* NSTimer::staticClass()
{
    static Class* cls = objc_allocateClass("NSTimer", NSObject::staticClass());
    return cls;
}

RefPtr<NSTimer> NSTimer::scheduledTimerWithTimeInterval(double interval, bool repeats, Action action)
{
    auto timer = makeRef<NSTimer>(interval, repeats, std::move(action));
    NSRunLoop::main().addTimer(timer);
    return timer;
}

NSTimer::NSTimer(double interval, bool repeats, Action action)
    : NSObject(staticClass())
    , m_interval(repeats ? std::max(interval, minimumRepeatInterval) : std::max(interval, 0.0))
    , m_repeats(repeats)
    , m_action(std::move(action))
{
}

void NSTimer::invalidate()
{
    if (!m_isValid)
        return;
    m_isValid = false;
    RefPtr<NSTimer> protect(this);
    NSRunLoop::main().removeTimer(this);
    // The action may be running right now; it is released from a copy only.
    Action released = std::move(m_action);
    m_action = nullptr;
}

double NSTimer::fireDate() const
{
    return static_cast<double>(m_dueNanoseconds) / 1e9;
}

void NSTimer::setFireDate(double fireDate)
{
    if (m_isValid)
        NSRunLoop::main().moveTimer(this, fireDate);
}

void NSTimer::fire()
{
    if (!m_isValid || !m_action)
        return;
    // A copy, so that the action may invalidate its own timer while it runs.
    Action action = m_action;
    action(this);
}
