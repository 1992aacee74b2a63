#pragma once

#include "platform/foundation/ErrorOr.h"
#include "platform/graphics/CGGeometry.h"

#include <string>
#include <vector>

// One key press of planned typing: where the finger goes down, a screen
// point in the middle of the key's cap, and how far it then moves straight
// up before it lifts (0 for a tap).
struct KeyStroke {
    CGPoint point;
    CGFloat upward { 0 };
};

// The key strokes that type a text on the keyboard on screen, from the state
// it is in, for fingers that roll them: each key is committed when the next
// one goes down, so a stroke's point is found on the keyplane the strokes
// before it leave on screen. Each piece of the text is typed by a tap on a
// key that types it, else by an upward gesture of the given length on a key
// whose alternate it is; failing both, the fewest shift and keyplane keys
// (at most three) are pressed first to reach a keyplane where a tap or
// gesture types it. The letters' shift key is pressed only right before the
// letter it shifts, as a thumb holds it. Gestures are planned only on the
// keyplane on screen at the start and only while the keyboard is not
// shifted, where the alternates the keys carry are the ones the gesture
// types. An error names the first character no key reaches.
ErrorOr<std::vector<KeyStroke>> planKeyStrokes(const std::string& text, CGFloat upward);
