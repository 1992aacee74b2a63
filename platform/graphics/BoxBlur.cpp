#include "platform/graphics/BoxBlur.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// One box pass along a line of `count` samples `step` apart, with the
// samples beyond the ends taken as transparent.
void boxPass(std::uint8_t* line, int count, int step, int radius, std::vector<int>& scratch)
{
    scratch.assign(static_cast<std::size_t>(count), 0);
    for (int index = 0; index < count; ++index)
        scratch[static_cast<std::size_t>(index)] = line[index * step];
    int window = 2 * radius + 1;
    int sum = 0;
    for (int index = 0; index <= std::min(radius, count - 1); ++index)
        sum += scratch[static_cast<std::size_t>(index)];
    for (int index = 0; index < count; ++index) {
        line[index * step] = static_cast<std::uint8_t>((sum + window / 2) / window);
        int entering = index + radius + 1;
        int leaving = index - radius;
        if (entering < count)
            sum += scratch[static_cast<std::size_t>(entering)];
        if (leaving >= 0)
            sum -= scratch[static_cast<std::size_t>(leaving)];
    }
}

} // namespace

void blurAlphaMask(std::uint8_t* pixels, int width, int height, int stride, double sigma)
{
    if (sigma <= 0 || width <= 0 || height <= 0)
        return;
    // Three boxes of width w have the variance of a Gaussian with
    // sigma² = (w² − 1) / 4.
    int radius = std::max(1, static_cast<int>(std::lround((std::sqrt(4 * sigma * sigma + 1) - 1) / 2)));
    std::vector<int> scratch;
    for (int pass = 0; pass < 3; ++pass) {
        for (int row = 0; row < height; ++row)
            boxPass(pixels + static_cast<std::ptrdiff_t>(row) * stride, width, 1, radius, scratch);
        for (int column = 0; column < width; ++column)
            boxPass(pixels + column, height, stride, radius, scratch);
    }
}
