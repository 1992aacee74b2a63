#pragma once

#include <compare>
#include <string>

// What decides how the keyboard on screen answers a touch, as far as anyone
// outside it can read: the keyplane shown and its shift state.
struct KeyboardState {
    std::string keyplane;
    bool shifted { false };
    bool shiftLocked { false };
    // Shift was tapped on just now: a second tap locks it instead of ending it.
    bool awaitsShiftDoubleTap { false };

    auto operator<=>(const KeyboardState&) const = default;

    // The keyboard on screen now; an empty keyplane when there is none.
    static KeyboardState current();
    // "Small-Letters", "Capital-Letters (shift locked)", …
    std::string description() const;
};
