// Drawing at 2×: the keyplane view and single key views, the platform's own
// labelled drawing with the key-image cache off against the extension's
// (the platform's drawing with labels withheld, then the extension's labels),
// and the platform with its cache on for reference; then a keyplane drawn
// again and a tap on shift, the extension showing its kept pictures against
// the platform with its cache on.
#include "bench/keyboard/TimeOperation.h"

namespace {

void keyplaneDrawing(benchmark::State& state, BenchMode mode, CGSize window)
{
    KeyplaneDrawing operation(mode, window);
    timeOperation(state, operation);
}

void keptKeyplaneDrawing(benchmark::State& state, BenchMode mode, CGSize window)
{
    KeptKeyplaneDrawing operation(mode, window);
    timeOperation(state, operation);
    state.counters["kept_bytes"] = static_cast<double>(keptKeyplanePictureBytes());
}

void shiftTap(benchmark::State& state, BenchMode mode)
{
    ShiftTap operation(mode);
    timeOperation(state, operation);
    state.counters["kept_bytes"] = static_cast<double>(keptKeyplanePictureBytes());
}

void popupKeyViewDrawing(benchmark::State& state, BenchMode mode)
{
    PopupKeyViewDrawing operation(mode);
    timeOperation(state, operation);
}

void capKeyViewDrawing(benchmark::State& state, BenchMode mode)
{
    CapKeyViewDrawing operation(mode);
    timeOperation(state, operation);
}

BENCHMARK_CAPTURE(keyplaneDrawing, Portrait / Platform, BenchMode::PlatformCacheOff, BenchKeyboard::portrait)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keyplaneDrawing, Portrait / Extension, BenchMode::Extension, BenchKeyboard::portrait)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    keyplaneDrawing, Portrait / PlatformCacheOn, BenchMode::PlatformCacheOn, BenchKeyboard::portrait)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    keyplaneDrawing, Landscape / Platform, BenchMode::PlatformCacheOff, BenchKeyboard::landscape)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keyplaneDrawing, Landscape / Extension, BenchMode::Extension, BenchKeyboard::landscape)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    keyplaneDrawing, Landscape / PlatformCacheOn, BenchMode::PlatformCacheOn, BenchKeyboard::landscape)
    ->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(
    keptKeyplaneDrawing, Portrait / Platform, BenchMode::PlatformCacheOn, BenchKeyboard::portrait)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keptKeyplaneDrawing, Portrait / Extension, BenchMode::Extension, BenchKeyboard::portrait)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(
    keptKeyplaneDrawing, Landscape / Platform, BenchMode::PlatformCacheOn, BenchKeyboard::landscape)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(keptKeyplaneDrawing, Landscape / Extension, BenchMode::Extension, BenchKeyboard::landscape)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(shiftTap, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(shiftTap, Extension, BenchMode::Extension)->Unit(benchmark::kMillisecond);

BENCHMARK_CAPTURE(popupKeyViewDrawing, Platform, BenchMode::PlatformCacheOff)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(popupKeyViewDrawing, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(capKeyViewDrawing, Platform, BenchMode::PlatformCacheOff)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(capKeyViewDrawing, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);

} // namespace
