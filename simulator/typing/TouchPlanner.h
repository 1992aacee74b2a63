#pragma once

#include "simulator/typing/TouchTable.h"
#include "simulator/typing/WorkPulse.h"

#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One step of a plan, one touch or two that go together, with what it types
// and the state it leaves.
struct PlannedStep {
    std::vector<KeyTouch> touches;
    std::string typed;
    std::size_t stateAfter { 0 };
};

// A character no sequence of touches types at that point of the text: the
// first one the plan could not get past.
struct UntypableCharacter {
    std::size_t offset { 0 };
    std::string character;
};

struct TouchPlan {
    std::vector<PlannedStep> steps;
    // Set when the text cannot be typed; the steps are then empty.
    std::optional<UntypableCharacter> untypable;

    std::size_t touchCount() const;
};

// The fewest touches that type the text exactly, starting in the table's
// state startState: a shortest path (Dijkstra's) over (state, how much of the
// text is typed), where a step costs its number of touches. Among plans of
// equal length the one found first wins, and taps are tried before slides,
// flicks and variants, so the same table and text always give the same plan.
// The pulse steps once per node the search settles.
TouchPlan planTouches(
    const TouchTable& table, std::string_view text, std::size_t startState = 0, WorkPulse pulse = {});

// A state's outcomes sorted for a search, the fewest touches and the least
// effort first: those that type, by the first byte of what they type, and
// those that only change the state.
struct StateMoves {
    std::array<std::vector<const TouchOutcome*>, 256> typingByFirstByte;
    std::vector<const TouchOutcome*> switching;
};
std::vector<StateMoves> movesOf(const TouchTable& table);

// The whole UTF-8 character that starts at the offset.
std::string characterAt(std::string_view text, std::size_t offset);
