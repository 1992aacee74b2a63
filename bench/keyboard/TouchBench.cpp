// Touch events: a tap, a rolled pair of keys, a whole flick and single drag
// events, the platform's own touch handling alone against the same with the
// extension's replacements, and the floor of the extension's drag.
#include "bench/keyboard/TimeOperation.h"

#include <string>

namespace {

void tap(benchmark::State& state, BenchMode mode)
{
    Tap operation(mode);
    timeOperation(state, operation);
}

void rolledPair(benchmark::State& state, BenchMode mode)
{
    RolledPair operation(mode);
    timeOperation(state, operation);
}

void flick(benchmark::State& state, BenchMode mode)
{
    Flick operation(mode);
    timeOperation(state, operation);
}

BENCHMARK_CAPTURE(tap, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(tap, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(rolledPair, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(rolledPair, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);

BENCHMARK_CAPTURE(flick, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(flick, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);

const bool dragsRegistered = [] {
    for (const DragCase& which : dragCases()) {
        for (auto [modeName, mode] : { std::pair { "Platform", BenchMode::PlatformCacheOn },
                 std::pair { "Extension", BenchMode::Extension } }) {
            benchmark::RegisterBenchmark((std::string(which.label) + "/" + modeName).c_str(),
                [mode, &which](benchmark::State& state) {
                    Drag operation(mode, which.gesture, which.keys);
                    timeOperation(state, operation);
                })
                ->Unit(benchmark::kMicrosecond);
        }
    }
    for (DragKeys keys : { DragKeys::Q, DragKeys::EveryLetter }) {
        benchmark::RegisterBenchmark(dragFloorHitTestLabel(keys), [keys](benchmark::State& state) {
            DragHitTest operation(keys);
            timeOperation(state, operation);
        })->Unit(benchmark::kMicrosecond);
    }
    benchmark::RegisterBenchmark("dragFloor/touchLongPressTimerWithDelay", [](benchmark::State& state) {
        LongPressTimerRearm operation;
        timeOperation(state, operation);
    })->Unit(benchmark::kMicrosecond);
    return true;
}();

} // namespace
