#include "simulator/typing/TouchPlanner.h"

#include <algorithm>
#include <array>
#include <limits>
#include <queue>
#include <tuple>

namespace {

constexpr std::size_t unreached = std::numeric_limits<std::size_t>::max();

int effort(const TouchOutcome& outcome)
{
    int total = 0;
    for (const KeyTouch& touch : outcome.touches)
        total += static_cast<int>(touch.kind);
    return total;
}

} // namespace

std::vector<StateMoves> movesOf(const TouchTable& table)
{
    std::vector<StateMoves> moves(table.states.size());
    for (std::size_t state = 0; state < table.states.size(); ++state) {
        std::vector<const TouchOutcome*> sorted;
        for (const TouchOutcome& outcome : table.outcomes[state])
            sorted.push_back(&outcome);
        std::stable_sort(
            sorted.begin(), sorted.end(), [](const TouchOutcome* left, const TouchOutcome* right) {
                return std::tuple(left->touches.size(), effort(*left))
                    < std::tuple(right->touches.size(), effort(*right));
            });
        for (const TouchOutcome* outcome : sorted) {
            if (!outcome->typed.empty())
                moves[state].typingByFirstByte[static_cast<unsigned char>(outcome->typed[0])].push_back(
                    outcome);
            else if (outcome->nextState != state)
                moves[state].switching.push_back(outcome);
        }
    }
    return moves;
}

std::string characterAt(std::string_view text, std::size_t offset)
{
    std::size_t length = 1;
    while (
        offset + length < text.size() && (static_cast<unsigned char>(text[offset + length]) & 0xC0) == 0x80)
        ++length;
    return std::string(text.substr(offset, length));
}

std::size_t TouchPlan::touchCount() const
{
    std::size_t count = 0;
    for (const PlannedStep& step : steps)
        count += step.touches.size();
    return count;
}

TouchPlan planTouches(const TouchTable& table, std::string_view text, std::size_t startState, WorkPulse pulse)
{
    TouchPlan plan;
    if (startState >= table.states.size()) {
        if (!text.empty())
            plan.untypable = UntypableCharacter { 0, characterAt(text, 0) };
        return plan;
    }
    // Node = position in the text × state.
    const std::size_t stateCount = table.states.size();
    const std::size_t nodeCount = (text.size() + 1) * stateCount;
    auto node = [stateCount](std::size_t offset, std::size_t state) { return offset * stateCount + state; };
    std::vector<std::size_t> cost(nodeCount, unreached);
    std::vector<std::size_t> previous(nodeCount, unreached);
    std::vector<const TouchOutcome*> arrivedBy(nodeCount, nullptr);
    std::vector<StateMoves> moves = movesOf(table);

    // Ordered by cost, then by when the node was reached, so ties go the same way every time.
    using Entry = std::tuple<std::size_t, std::size_t, std::size_t>;
    std::priority_queue<Entry, std::vector<Entry>, std::greater<>> queue;
    std::size_t reached = 0;
    const std::size_t start = node(0, startState);
    cost[start] = 0;
    queue.emplace(0, reached++, start);
    auto reach = [&](std::size_t from, std::size_t offset, const TouchOutcome* outcome) {
        std::size_t to = node(offset, outcome->nextState);
        std::size_t through = cost[from] + outcome->touches.size();
        if (through >= cost[to])
            return;
        cost[to] = through;
        previous[to] = from;
        arrivedBy[to] = outcome;
        queue.emplace(through, reached++, to);
    };

    std::size_t furthest = 0;
    std::optional<std::size_t> goal;
    while (!queue.empty()) {
        auto [costSoFar, order, current] = queue.top();
        queue.pop();
        if (costSoFar != cost[current])
            continue;
        pulse.step();
        std::size_t offset = current / stateCount;
        std::size_t state = current % stateCount;
        furthest = std::max(furthest, offset);
        if (offset == text.size()) {
            goal = current;
            break;
        }
        for (const TouchOutcome* outcome :
            moves[state].typingByFirstByte[static_cast<unsigned char>(text[offset])]) {
            if (text.substr(offset).starts_with(outcome->typed))
                reach(current, offset + outcome->typed.size(), outcome);
        }
        for (const TouchOutcome* outcome : moves[state].switching)
            reach(current, offset, outcome);
    }

    if (!goal) {
        plan.untypable = UntypableCharacter { furthest, characterAt(text, furthest) };
        return plan;
    }
    for (std::size_t at = *goal; at != start; at = previous[at])
        plan.steps.push_back({ arrivedBy[at]->touches, arrivedBy[at]->typed, arrivedBy[at]->nextState });
    std::reverse(plan.steps.begin(), plan.steps.end());
    return plan;
}
