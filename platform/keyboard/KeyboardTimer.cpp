#include "platform/keyboard/KeyboardTimer.h"

#include <algorithm>
#include <vector>

namespace {

struct Clock {
    double now { 0 };
    std::vector<KeyboardTimer*> scheduled;
};

Clock& clock()
{
    static Clock keyboardClock;
    return keyboardClock;
}

void unregister(KeyboardTimer* timer)
{
    auto& scheduled = clock().scheduled;
    scheduled.erase(std::remove(scheduled.begin(), scheduled.end(), timer), scheduled.end());
}

} // namespace

KeyboardTimer::~KeyboardTimer()
{
    cancel();
}

void KeyboardTimer::schedule(double delaySeconds, std::function<void()> action)
{
    cancel();
    m_action = std::move(action);
    m_fireTime = clock().now + std::max(0.0, delaySeconds);
    m_scheduled = true;
    clock().scheduled.push_back(this);
}

void KeyboardTimer::cancel()
{
    if (!m_scheduled)
        return;
    m_scheduled = false;
    m_action = nullptr;
    unregister(this);
}

double KeyboardTimer::now()
{
    return clock().now;
}

void KeyboardTimer::advanceClock(double seconds)
{
    Clock& state = clock();
    double target = state.now + std::max(0.0, seconds);
    while (true) {
        auto earliest = std::min_element(state.scheduled.begin(), state.scheduled.end(),
            [](KeyboardTimer* left, KeyboardTimer* right) { return left->fireTime() < right->fireTime(); });
        if (earliest == state.scheduled.end() || (*earliest)->fireTime() > target)
            break;
        KeyboardTimer* due = *earliest;
        state.now = due->m_fireTime;
        // The action may re-schedule or destroy its own timer; it runs from a copy.
        std::function<void()> action = std::move(due->m_action);
        due->cancel();
        if (action)
            action();
    }
    state.now = target;
}
