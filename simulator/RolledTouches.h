#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/uikit/UITouch.h"

#include <vector>

// One key press of rolled typing: where the finger goes down, a screen point
// in the middle of the key's cap, and how far it then moves straight up
// before it lifts (0 for a tap).
struct KeyStroke {
    CGPoint point;
    CGFloat upward { 0 };
};

// One event of a finger in planned typing: when it happens (seconds of the
// virtual clock after the first touch went down), which finger, what it does
// and where (a screen point).
struct TouchStep {
    double time { 0 };
    int finger { 1 };
    UITouchPhase phase { UITouchPhase::Began };
    CGPoint point;
};

// The rhythm of rolled typing on the virtual clock: a key goes down every
// keyInterval, and each comes up overlap after the next one went down. A key
// with an upward gesture moves up in gestureMoves equal moves gestureMoveInterval
// apart, the first that long after it went down.
namespace rolling {
inline constexpr double keyInterval = 0.1;
inline constexpr double overlap = 0.05;
inline constexpr int gestureMoves = 6;
inline constexpr double gestureMoveInterval = 0.01;
} // namespace rolling

// The strokes as two thumbs roll them: fingers 1 and 2 take turns, and each
// key goes down before the key before it comes up. In time order; events at
// the same time keep the order of their keys.
std::vector<TouchStep> rollKeyStrokes(const std::vector<KeyStroke>& strokes);
