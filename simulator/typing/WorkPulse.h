#pragma once

#include <cstddef>
#include <functional>
#include <utility>

// Long work, such as planning and typing a line of a few hundred thousand
// characters, beats now and then so that the driver waiting for it can tell
// a host at work from a hung one. It beats once every so many steps of the
// work, never by the clock, so that when it beats follows from the text alone.
class WorkPulse {
public:
    WorkPulse() = default;
    WorkPulse(std::function<void()> beat, std::size_t stepsPerBeat)
        : m_beat(std::move(beat))
        , m_stepsPerBeat(stepsPerBeat ? stepsPerBeat : 1)
    {
    }

    void step()
    {
        if (m_beat && ++m_steps % m_stepsPerBeat == 0)
            m_beat();
    }

private:
    std::function<void()> m_beat;
    std::size_t m_stepsPerBeat { 1 };
    std::size_t m_steps { 0 };
};
