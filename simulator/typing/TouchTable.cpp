#include "simulator/typing/TouchTable.h"

#include <algorithm>

std::optional<std::size_t> TouchTable::find(const KeyboardState& state) const
{
    auto found = std::find(states.begin(), states.end(), state);
    if (found == states.end())
        return std::nullopt;
    return static_cast<std::size_t>(found - states.begin());
}

std::size_t TouchTable::add(const KeyboardState& state)
{
    if (std::optional<std::size_t> known = find(state))
        return *known;
    states.push_back(state);
    outcomes.emplace_back();
    return states.size() - 1;
}
