// Touch events: a whole flick and one drag event, the platform's own touch
// handling alone against the same with the extension's replacements.
#include "bench/keyboard/BenchKeyboard.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int dragsPerFlick = 10;

CGPoint centerOfQ()
{
    return KeyboardTouchDriver::centerOfKeyNamed(NSString("Latin-Small-Letter-Q"))
        .value_or(CGPoint { 16, 27 });
}

// Down on "q", ten moves straight up past the flick distance, up.
void flick(benchmark::State& state, BenchMode mode)
{
    BenchKeyboard keyboard(mode);
    keyboard.present(0, BenchKeyboard::portrait, KeyboardLetterLayout::QWERTY);
    CGPoint start = centerOfQ();
    for (auto _ : state) {
        keyboard.driver().touchDown(start);
        for (int step = 1; step <= dragsPerFlick; ++step)
            keyboard.driver().touchMove({ start.x, start.y - static_cast<CGFloat>(step) * 4 });
        keyboard.driver().touchUp({ start.x, start.y - dragsPerFlick * 4 });
    }
}

// One move of a finger resting on "q", a point up or down within the key.
void drag(benchmark::State& state, BenchMode mode)
{
    BenchKeyboard keyboard(mode);
    keyboard.present(0, BenchKeyboard::portrait, KeyboardLetterLayout::QWERTY);
    CGPoint start = centerOfQ();
    keyboard.driver().touchDown(start);
    CGFloat offsets[2] = { -2, -3 };
    std::size_t next = 0;
    for (auto _ : state) {
        keyboard.driver().touchMove({ start.x, start.y + offsets[next] });
        next ^= 1;
    }
    keyboard.driver().touchUp();
}

BENCHMARK_CAPTURE(flick, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(flick, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(drag, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(drag, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);

} // namespace
