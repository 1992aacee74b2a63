#include "simulator/typing/TimePlanner.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <map>
#include <queue>
#include <tuple>
#include <unordered_map>

namespace {

constexpr std::int32_t nowhere = -1;
constexpr std::uint32_t noNode = std::numeric_limits<std::uint32_t>::max();

// One touch as the search times it: points and keys numbered.
struct TimedTouch {
    std::uint8_t thumb { 0 };
    std::int32_t target { 0 };
    std::int32_t lift { 0 };
    std::int32_t afterDown { 0 };
};

// Everything of a node but how much of the text is typed. The slack is how
// long before the last touch ended the other thumb was free, up to where it
// can no longer shorten a movement.
struct NodeKey {
    std::uint32_t state { 0 };
    std::array<std::int32_t, 2> rest { nowhere, nowhere };
    std::int8_t lastThumb { nowhere };
    std::int32_t slack { 0 };

    bool operator==(const NodeKey&) const = default;
};

struct NodeKeyHash {
    std::size_t operator()(const NodeKey& key) const
    {
        std::uint64_t hash = key.state;
        for (std::int64_t part : { std::int64_t(key.rest[0]), std::int64_t(key.rest[1]),
                 std::int64_t(key.lastThumb), std::int64_t(key.slack) })
            hash = hash * 0x9E3779B97F4A7C15ULL + static_cast<std::uint64_t>(part + 2);
        return static_cast<std::size_t>(hash ^ (hash >> 29));
    }
};

// How the search reached a node, kept for every node to read the plan back:
// a long line makes millions of them, so they are kept small.
struct NodeRecord {
    std::uint32_t previous { noNode };
    // The outcome's place in the table, its states' outcomes one after the other.
    std::uint32_t arrivedBy : 31 { 0 };
    // Another node of the same keyboard and thumbs ends no later with the
    // other thumb free no later: whatever follows goes at least as fast there.
    std::uint32_t dominated : 1 { 0 };
};

// A node as a layer keeps it among those that differ from it only in time.
struct Arrival {
    std::int64_t cost { 0 };
    std::int64_t otherThumbFree { 0 };
    std::int32_t slack { 0 };
    std::uint32_t node { 0 };
};

// The touches of the table with their points numbered, and the movement
// time from every resting point to every key.
class TouchTimes {
public:
    TouchTimes(const TouchTable& table, const TouchTimeModel& model)
        : m_alternation(model.alternationMs())
    {
        std::map<std::tuple<float, float, double>, std::int32_t> targets;
        std::map<std::pair<float, float>, std::int32_t> lifts;
        std::vector<TouchPath> targetPaths;
        std::vector<CGPoint> liftPoints;
        m_touches.resize(table.outcomes.size());
        for (std::size_t state = 0; state < table.outcomes.size(); ++state) {
            for (const TouchOutcome& outcome : table.outcomes[state]) {
                std::vector<TimedTouch>& timed = m_touches[state].emplace_back();
                for (const KeyTouch& touch : outcome.touches) {
                    const TouchPath& path = touch.path;
                    auto target = targets.try_emplace({ path.down.x, path.down.y, path.keyWidth },
                        static_cast<std::int32_t>(targets.size()));
                    if (target.second)
                        targetPaths.push_back(path);
                    auto lift = lifts.try_emplace(
                        { path.lift.x, path.lift.y }, static_cast<std::int32_t>(lifts.size()));
                    if (lift.second)
                        liftPoints.push_back(path.lift);
                    timed.push_back({ static_cast<std::uint8_t>(thumbOf(path)), target.first->second,
                        lift.first->second, model.afterDownMs(touch) });
                }
            }
        }
        m_targetCount = targetPaths.size();
        // Row 0 is a thumb not used yet; row 1 + n the lift point n.
        m_movement.resize((liftPoints.size() + 1) * m_targetCount);
        std::int32_t longest = 0;
        for (std::size_t row = 0; row <= liftPoints.size(); ++row) {
            std::optional<CGPoint> rest = row ? std::optional(liftPoints[row - 1]) : std::nullopt;
            for (std::size_t target = 0; target < m_targetCount; ++target) {
                std::int32_t time = model.movementMs(rest, targetPaths[target]);
                m_movement[row * m_targetCount + target] = time;
                longest = std::max(longest, time);
            }
        }
        m_slackCap = std::max(0, longest - m_alternation);
    }

    // The node after the outcome's touches from key, one of the outcomes of
    // key's state, and how much later its last touch ends.
    std::int64_t advance(const TouchTable& table, const TouchOutcome& outcome, NodeKey& key) const
    {
        std::int64_t total = 0;
        auto index = static_cast<std::size_t>(&outcome - table.outcomes[key.state].data());
        for (const TimedTouch& touch : m_touches[key.state][index]) {
            std::int32_t movement
                = m_movement[static_cast<std::size_t>(key.rest[touch.thumb] + 1) * m_targetCount
                    + static_cast<std::size_t>(touch.target)];
            std::int32_t step = 0;
            if (key.lastThumb == nowhere || key.lastThumb == touch.thumb) {
                step = movement + touch.afterDown;
                key.slack = std::min(m_slackCap, key.slack + step);
            } else {
                // The thumb has been free for the slack and travels meanwhile.
                step = std::max(movement - key.slack, m_alternation) + touch.afterDown;
                key.slack = std::min(m_slackCap, step);
            }
            key.rest[touch.thumb] = touch.lift;
            key.lastThumb = static_cast<std::int8_t>(touch.thumb);
            total += step;
        }
        key.state = static_cast<std::uint32_t>(outcome.nextState);
        return total;
    }

private:
    std::int32_t m_alternation;
    std::int32_t m_slackCap { 0 };
    std::size_t m_targetCount { 0 };
    std::vector<std::int32_t> m_movement;
    // By state and outcome, as in the table.
    std::vector<std::vector<std::vector<TimedTouch>>> m_touches;
};

// By node key with no slack: the nodes none of the others dominates.
using Layer = std::unordered_map<NodeKey, std::vector<Arrival>, NodeKeyHash>;

} // namespace

TouchPlan planFastest(const TouchTable& table, std::string_view text, std::size_t startState,
    const TouchTimeModel& model, WorkPulse pulse)
{
    TouchPlan plan;
    if (startState >= table.states.size()) {
        if (!text.empty())
            plan.untypable = UntypableCharacter { 0, characterAt(text, 0) };
        return plan;
    }
    std::vector<StateMoves> moves = movesOf(table);
    TouchTimes times(table, model);
    std::vector<NodeRecord> records;
    std::vector<const TouchOutcome*> outcomes;
    std::vector<std::uint32_t> firstOutcome;
    for (const std::vector<TouchOutcome>& ofState : table.outcomes) {
        firstOutcome.push_back(static_cast<std::uint32_t>(outcomes.size()));
        for (const TouchOutcome& outcome : ofState)
            outcomes.push_back(&outcome);
    }
    auto numberOf = [&](std::uint32_t state, const TouchOutcome* outcome) {
        return firstOutcome[state] + static_cast<std::uint32_t>(outcome - table.outcomes[state].data());
    };

    // Every move either types and goes further into the text, or only
    // switches the keyboard and stays: the text is searched offset by offset,
    // each offset a Dijkstra over its switching moves from the nodes the
    // offsets before reached, in the order they were reached for equal costs.
    // A node is kept only where no other of the same keyboard and thumbs
    // ends no later with the other thumb free no later; the first one stays
    // among equals.
    std::vector<Layer> layers(text.size() + 1);
    auto reach = [&](std::size_t offset, const NodeKey& key, std::int64_t cost, std::uint32_t from,
                     std::uint32_t by) -> std::optional<std::uint32_t> {
        NodeKey group = key;
        group.slack = 0;
        std::vector<Arrival>& arrivals = layers[offset][group];
        std::int64_t otherThumbFree = cost - key.slack;
        for (const Arrival& arrival : arrivals) {
            if (arrival.cost <= cost && arrival.otherThumbFree <= otherThumbFree)
                return std::nullopt;
        }
        std::erase_if(arrivals, [&](const Arrival& arrival) {
            bool dominated = arrival.cost >= cost && arrival.otherThumbFree >= otherThumbFree;
            if (dominated)
                records[arrival.node].dominated = 1;
            return dominated;
        });
        auto node = static_cast<std::uint32_t>(records.size());
        records.push_back({ from, by, 0 });
        arrivals.push_back({ cost, otherThumbFree, key.slack, node });
        return node;
    };
    NodeKey startKey;
    startKey.state = static_cast<std::uint32_t>(startState);
    reach(0, startKey, 0, noNode, 0);

    std::size_t furthest = 0;
    std::optional<std::uint32_t> goal;
    using Queued = std::tuple<std::int64_t, std::uint32_t, NodeKey>;
    auto later = [](const Queued& left, const Queued& right) {
        return std::tie(std::get<0>(left), std::get<1>(left))
            > std::tie(std::get<0>(right), std::get<1>(right));
    };
    for (std::size_t offset = 0; offset <= text.size(); ++offset) {
        Layer& layer = layers[offset];
        if (layer.empty())
            continue;
        furthest = offset;
        std::priority_queue<Queued, std::vector<Queued>, decltype(later)> queue(later);
        for (const auto& [group, arrivals] : layer) {
            for (const Arrival& arrival : arrivals) {
                NodeKey key = group;
                key.slack = arrival.slack;
                queue.emplace(arrival.cost, arrival.node, key);
            }
        }
        while (!queue.empty()) {
            auto [cost, node, key] = queue.top();
            queue.pop();
            if (records[node].dominated)
                continue;
            pulse.step();
            // The first node settled at the end is the fastest, the first found among equals.
            if (offset == text.size()) {
                goal = node;
                break;
            }
            for (const TouchOutcome* outcome :
                moves[key.state].typingByFirstByte[static_cast<unsigned char>(text[offset])]) {
                if (!text.substr(offset).starts_with(outcome->typed))
                    continue;
                NodeKey next = key;
                std::int64_t step = times.advance(table, *outcome, next);
                reach(offset + outcome->typed.size(), next, cost + step, node, numberOf(key.state, outcome));
            }
            for (const TouchOutcome* outcome : moves[key.state].switching) {
                NodeKey next = key;
                std::int64_t step = times.advance(table, *outcome, next);
                if (auto reached = reach(offset, next, cost + step, node, numberOf(key.state, outcome)))
                    queue.emplace(cost + step, *reached, next);
            }
        }
        Layer().swap(layer);
    }

    if (!goal) {
        plan.untypable = UntypableCharacter { furthest, characterAt(text, furthest) };
        return plan;
    }
    for (std::uint32_t at = *goal; records[at].previous != noNode; at = records[at].previous) {
        const TouchOutcome& outcome = *outcomes[records[at].arrivedBy];
        plan.steps.push_back({ outcome.touches, outcome.typed, outcome.nextState });
    }
    std::reverse(plan.steps.begin(), plan.steps.end());
    return plan;
}
