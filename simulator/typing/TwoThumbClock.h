#pragma once

#include "simulator/typing/TouchTimeModel.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

struct TouchPlan;

// The time two thumbs take over a run of touches, under a time model. Each
// thumb is free again once its last touch ended; a thumb moves to its next
// key while the other one types, but touches of alternate thumbs end at
// least the alternation minimum apart. The run starts at 0 with both thumbs free.
class TwoThumbClock {
public:
    explicit TwoThumbClock(const TouchTimeModel& model = {})
        : m_model(model)
    {
    }

    // Makes the touch next; answers when it ends, in ms from the start.
    std::int64_t touch(const KeyTouch& touch);
    void touch(const std::vector<KeyTouch>& touches)
    {
        for (const KeyTouch& each : touches)
            touch(each);
    }
    // When the last touch ended.
    std::int64_t elapsed() const { return m_end; }

private:
    TouchTimeModel m_model;
    std::array<std::optional<CGPoint>, 2> m_rest;
    std::array<std::int64_t, 2> m_free {};
    std::optional<Thumb> m_last;
    std::int64_t m_end { 0 };
};

// How long the plan's touches take, one after the other, in ms.
std::int64_t timeOf(const TouchPlan& plan, const TouchTimeModel& model = {});
