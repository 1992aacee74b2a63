#pragma once

#include "simulator/typing/KeyTouch.h"
#include "simulator/typing/KeyboardState.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// What one touch did, read back from the keyboard: the text it typed (empty
// for a shift or keyplane key) and the state it left the keyboard in. In
// rolled typing a touch whose effect depends on the touch that overlaps it
// (a shift held down as the next key goes down) is only ever used together
// with that next touch: the outcome then holds both.
struct TouchOutcome {
    std::vector<KeyTouch> touches;
    std::string typed;
    std::size_t nextState { 0 };
};

// Every state the keyboard reached from where typing starts, and for each,
// what each touch of its keyplane does there. States are numbered in the
// order they were found; state 0 is where typing starts.
struct TouchTable {
    std::vector<KeyboardState> states;
    // By state, in the order the touches were tried.
    std::vector<std::vector<TouchOutcome>> outcomes;

    std::optional<std::size_t> find(const KeyboardState& state) const;
    // The state's number, added with no outcomes yet when it is new.
    std::size_t add(const KeyboardState& state);
};
