#include "simulator/RolledTouches.h"

#include <algorithm>
#include <cmath>

namespace {

// Times are whole milliseconds, so that events due at once compare equal.
double inMilliseconds(double seconds)
{
    return std::round(seconds * 1000) / 1000;
}

} // namespace

std::vector<TouchStep> rollKeyStrokes(const std::vector<KeyStroke>& strokes)
{
    std::vector<TouchStep> steps;
    for (std::size_t index = 0; index < strokes.size(); ++index) {
        const KeyStroke& stroke = strokes[index];
        int finger = index % 2 == 0 ? 1 : 2;
        double down = inMilliseconds(static_cast<double>(index) * rolling::keyInterval);
        steps.push_back({ down, finger, UITouchPhase::Began, stroke.point });
        CGPoint point = stroke.point;
        for (int move = 1; stroke.upward != 0 && move <= rolling::gestureMoves; ++move) {
            point.y = stroke.point.y - stroke.upward * static_cast<CGFloat>(move) / rolling::gestureMoves;
            double time = inMilliseconds(down + move * rolling::gestureMoveInterval);
            steps.push_back({ time, finger, UITouchPhase::Moved, point });
        }
        double up = inMilliseconds(down + rolling::keyInterval + rolling::overlap);
        steps.push_back({ up, finger, UITouchPhase::Ended, point });
    }
    std::stable_sort(steps.begin(), steps.end(),
        [](const TouchStep& first, const TouchStep& second) { return first.time < second.time; });
    return steps;
}
