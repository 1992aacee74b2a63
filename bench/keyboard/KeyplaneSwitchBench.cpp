// Keyplane switch: the platform's own setKeyplaneName: alone against the same
// switch with the extension's replacement in front of it.
#include "bench/keyboard/TimeOperation.h"

namespace {

// Each first switch needs a keyboard built untimed, so their number is fixed.
constexpr benchmark::IterationCount firstSwitchIterations = 300;

void firstSwitch(benchmark::State& state, BenchMode mode, const FirstSwitchCase& which)
{
    FirstSwitch operation(mode, which);
    timeOperation(state, operation);
}

void repeatedSwitch(benchmark::State& state, BenchMode mode)
{
    RepeatedSwitch operation(mode);
    timeOperation(state, operation);
}

const bool firstSwitchesRegistered = [] {
    for (const FirstSwitchCase& which : firstSwitchCases()) {
        for (auto [modeName, mode] : { std::pair { "Platform", BenchMode::PlatformCacheOn },
                 std::pair { "Extension", BenchMode::Extension } }) {
            benchmark::RegisterBenchmark((std::string("firstSwitch/") + which.label + "/" + modeName).c_str(),
                [mode, &which](benchmark::State& state) { firstSwitch(state, mode, which); })
                ->Unit(benchmark::kMicrosecond)
                ->Iterations(firstSwitchIterations);
        }
    }
    return true;
}();

BENCHMARK_CAPTURE(repeatedSwitch, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(repeatedSwitch, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);

} // namespace
