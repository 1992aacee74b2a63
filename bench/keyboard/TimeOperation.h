#pragma once

#include "bench/keyboard/BenchOperations.h"

#include <benchmark/benchmark.h>

// Times an operation once per iteration; its preparation is left out of the time.
inline void timeOperation(benchmark::State& state, BenchOperation& operation)
{
    bool prepares = operation.needsPreparation();
    for (auto _ : state) {
        if (prepares) {
            state.PauseTiming();
            operation.prepare();
            state.ResumeTiming();
        }
        operation.run();
    }
}
