#include "simulator/typing/TwoThumbClock.h"

#include "simulator/typing/TouchPlanner.h"

#include <algorithm>

std::int64_t TwoThumbClock::touch(const KeyTouch& touch)
{
    Thumb thumb = thumbOf(touch.path);
    auto index = static_cast<std::size_t>(thumb);
    std::int64_t down = m_free[index] + m_model.movementMs(m_rest[index], touch.path);
    if (m_last && *m_last != thumb)
        down = std::max(down, m_end + m_model.alternationMs());
    m_end = down + m_model.afterDownMs(touch);
    m_free[index] = m_end;
    m_rest[index] = touch.path.lift;
    m_last = thumb;
    return m_end;
}

std::int64_t timeOf(const TouchPlan& plan, const TouchTimeModel& model)
{
    TwoThumbClock clock(model);
    for (const PlannedStep& step : plan.steps)
        clock.touch(step.touches);
    return clock.elapsed();
}
