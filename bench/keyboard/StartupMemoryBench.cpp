// Start-up of the extension, and its memory: resident memory and heap after
// many keyplane switches and flicks against the same after a thousand, and
// the heap the alternate tables take.
#include "bench/keyboard/BenchKeyboard.h"
#include "bench/keyboard/BenchOperations.h"
#include "keyboard/AlternateTables.h"
#include "keyboard/ExtensionStartup.h"
#include "keyboard/ExtensionState.h"
#include "platform/foundation/DarwinNotifyCenter.h"

#include <benchmark/benchmark.h>
#include <functional>

namespace {

// Tables, fourteen replacements, subscription and settings read, each time
// from the platform's own methods and no extension state.
void startup(benchmark::State& state)
{
    BenchKeyboard keyboard(BenchMode::PlatformCacheOn);
    for (auto _ : state) {
        state.PauseTiming();
        runtimeRestoreRegisteredMethods();
        resetExtensionStateForTesting();
        DarwinNotifyCenter::shared().reset();
        state.ResumeTiming();
        initializeExtension();
    }
}
BENCHMARK(startup)->Unit(benchmark::kMicrosecond);

constexpr int fewOperations = 1'000;
constexpr int manyOperations = 100'000;

// Runs an operation a thousand times, notes heap and resident memory, runs it
// up to a hundred thousand and notes them again.
void memoryAfter(benchmark::State& state, const std::function<void(int)>& operation)
{
    for (auto _ : state) {
        for (int count = 0; count < fewOperations; ++count)
            operation(count);
        // Resident memory first: reading it allocates, and the heap figure must not see that.
        auto residentAfterFew = static_cast<double>(residentBytes());
        auto heapAfterFew = static_cast<double>(heapBytesInUse());
        for (int count = fewOperations; count < manyOperations; ++count)
            operation(count);
        auto residentAfterMany = static_cast<double>(residentBytes());
        auto heapAfterMany = static_cast<double>(heapBytesInUse());
        state.counters["heap_1k"] = heapAfterFew;
        state.counters["heap_100k"] = heapAfterMany;
        state.counters["heap_growth"] = heapAfterMany - heapAfterFew;
        state.counters["rss_1k"] = residentAfterFew;
        state.counters["rss_100k"] = residentAfterMany;
        state.counters["rss_growth"] = residentAfterMany - residentAfterFew;
    }
}

void memoryKeyplaneSwitches(benchmark::State& state, BenchMode mode)
{
    BenchKeyboard keyboard(mode);
    keyboard.present(0, BenchKeyboard::portrait, "QWERTY");
    NSString names[4] = { NSString("Capital-Letters"), NSString("Numbers-And-Punctuation"),
        NSString("Numbers-And-Punctuation-Alternate"), NSString("Small-Letters") };
    memoryAfter(state, [&](int count) { keyboard.switchTo(names[count % 4]); });
}

void memoryFlicks(benchmark::State& state, BenchMode mode)
{
    BenchKeyboard keyboard(mode);
    keyboard.present(0, BenchKeyboard::portrait, "QWERTY");
    CGPoint start = keyboard.centerOfKeyNamed("Latin-Small-Letter-Q");
    memoryAfter(state, [&](int) {
        keyboard.touchDown(start);
        for (int step = 1; step <= 10; ++step)
            keyboard.touchMove({ start.x, start.y - static_cast<CGFloat>(step) * 4 });
        keyboard.touchUp({ start.x, start.y - 40 });
    });
}

// Taps on shift, each with the keyplane's drawing; the extension's kept
// pictures stay a few keyplanes' worth.
void memoryShiftTaps(benchmark::State& state, BenchMode mode)
{
    ShiftTap tap(mode);
    memoryAfter(state, [&](int) {
        tap.prepare();
        tap.run();
    });
    state.counters["kept_bytes"] = static_cast<double>(keptKeyplanePictureBytes());
}

BENCHMARK_CAPTURE(memoryKeyplaneSwitches, Platform, BenchMode::PlatformCacheOn)->Iterations(1);
BENCHMARK_CAPTURE(memoryKeyplaneSwitches, Extension, BenchMode::Extension)->Iterations(1);
BENCHMARK_CAPTURE(memoryFlicks, Platform, BenchMode::PlatformCacheOn)->Iterations(1);
BENCHMARK_CAPTURE(memoryFlicks, Extension, BenchMode::Extension)->Iterations(1);
BENCHMARK_CAPTURE(memoryShiftTaps, Platform, BenchMode::PlatformCacheOn)->Iterations(1);
BENCHMARK_CAPTURE(memoryShiftTaps, Extension, BenchMode::Extension)->Iterations(1);

// The heap the seven alternate tables hold once built.
void tableSize(benchmark::State& state)
{
    for (auto _ : state) {
        for (AlternateTable* table :
            { &gPunctuationVariants, &gEmailShiftedOverrides, &gWebAlternateOverrides,
                &gEmailAlternateOverrides, &gQwertyAlternates, &gQwertzAlternates, &gAzertyAlternates })
            *table = AlternateTable();
        auto before = static_cast<double>(heapBytesInUse());
        buildAlternateTables();
        state.counters["table_bytes"] = static_cast<double>(heapBytesInUse()) - before;
    }
}
BENCHMARK(tableSize)->Iterations(1);

} // namespace

BENCHMARK_MAIN();
