#include "simulator/NearestWord.h"

#include <algorithm>

namespace {

// Edits from one word to the other, a swap of neighbours counting as one.
std::size_t editDistance(std::string_view from, std::string_view to)
{
    std::vector<std::vector<std::size_t>> distance(from.size() + 1, std::vector<std::size_t>(to.size() + 1));
    for (std::size_t i = 0; i <= from.size(); ++i)
        distance[i][0] = i;
    for (std::size_t j = 0; j <= to.size(); ++j)
        distance[0][j] = j;
    for (std::size_t i = 1; i <= from.size(); ++i) {
        for (std::size_t j = 1; j <= to.size(); ++j) {
            std::size_t change = from[i - 1] == to[j - 1] ? 0 : 1;
            distance[i][j] = std::min(
                { distance[i - 1][j] + 1, distance[i][j - 1] + 1, distance[i - 1][j - 1] + change });
            if (i > 1 && j > 1 && from[i - 1] == to[j - 2] && from[i - 2] == to[j - 1])
                distance[i][j] = std::min(distance[i][j], distance[i - 2][j - 2] + 1);
        }
    }
    return distance[from.size()][to.size()];
}

} // namespace

std::optional<std::string> nearestWord(std::string_view word, const std::vector<std::string>& candidates)
{
    // A third of the word's letters may be wrong, and at least one.
    std::size_t allowed = std::max<std::size_t>(1, word.size() / 3);
    std::optional<std::string> nearest;
    std::size_t nearestDistance = allowed + 1;
    for (const std::string& candidate : candidates) {
        // Lengths that far apart are that many edits at least; a long word is never compared.
        std::size_t longer = std::max(word.size(), candidate.size());
        if (longer - std::min(word.size(), candidate.size()) > allowed)
            continue;
        std::size_t distance = editDistance(word, candidate);
        if (distance < nearestDistance) {
            nearest = candidate;
            nearestDistance = distance;
        }
    }
    return nearest;
}
