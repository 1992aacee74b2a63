// Touch events: a tap, a rolled pair of keys, a whole flick and single drag
// events, the platform's own touch handling alone against the same with the
// extension's replacements, and the floor of the extension's drag.
#include "bench/keyboard/TimeOperation.h"

#include <string>

namespace {

// A touch operation timed as the platform alone does it and with the extension.
template <typename Operation> void registerTouches(const char* name)
{
    for (auto [modeName, mode] : { std::pair { "Platform", BenchMode::PlatformCacheOn },
             std::pair { "Extension", BenchMode::Extension } }) {
        benchmark::RegisterBenchmark((std::string(name) + "/" + modeName).c_str(),
            [mode](benchmark::State& state) {
                Operation operation(mode);
                timeOperation(state, operation);
            })
            ->Unit(benchmark::kMicrosecond);
    }
}

const bool touchesRegistered = [] {
    registerTouches<Tap>("tap");
    registerTouches<RolledPair>("rolledPair");
    registerTouches<Flick>("flick");
    return true;
}();

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
