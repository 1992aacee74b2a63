// Touch events: a whole flick and one drag event, the platform's own touch
// handling alone against the same with the extension's replacements.
#include "bench/keyboard/TimeOperation.h"

namespace {

void flick(benchmark::State& state, BenchMode mode)
{
    Flick operation(mode);
    timeOperation(state, operation);
}

void drag(benchmark::State& state, BenchMode mode)
{
    Drag operation(mode);
    timeOperation(state, operation);
}

// The floor of the extension's drag, each part as the platform does it alone.
void dragFloorHitTest(benchmark::State& state)
{
    DragHitTest operation;
    timeOperation(state, operation);
}

void dragFloorTimer(benchmark::State& state)
{
    LongPressTimerRearm operation;
    timeOperation(state, operation);
}

BENCHMARK_CAPTURE(flick, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(flick, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(drag, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(drag, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);
BENCHMARK(dragFloorHitTest)->Name("dragFloor/keyHitTest")->Unit(benchmark::kMicrosecond);
BENCHMARK(dragFloorTimer)->Name("dragFloor/touchLongPressTimerWithDelay")->Unit(benchmark::kMicrosecond);

} // namespace
