// Drawing at 2×: the keyplane view and single key views, the platform's own
// labelled drawing with the key-image cache off against the extension's
// (the platform's drawing with labels withheld, then the extension's labels),
// and the platform with its cache on for reference.
#include "bench/keyboard/BenchKeyboard.h"
#include "platform/graphics/CGBitmapContext.h"
#include "platform/keyboard/KeyboardSelectors.h"
#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKBKeyplaneView.h"

#include <benchmark/benchmark.h>

namespace {

constexpr CGFloat scale = 2;

void drawView(benchmark::State& state, UIView* view)
{
    CGRect bounds = view->bounds();
    CGContextPtr context = CGBitmapContextCreate(bounds.width(), bounds.height(), scale);
    UIGraphicsPushContext(context.get());
    for (auto _ : state) {
        CGContextClearRect(context.get(), bounds);
        send(view, sel::drawRect, bounds);
    }
    UIGraphicsPopContext();
}

void keyplaneDrawing(benchmark::State& state, BenchMode mode, CGSize window)
{
    BenchKeyboard keyboard(mode);
    keyboard.present(0, window, KeyboardLetterLayout::QWERTY);
    drawView(state, keyboard.layout()->keyplaneView());
}

// The pop-up a pressed "q" shows (state 1).
void popupKeyViewDrawing(benchmark::State& state, BenchMode mode)
{
    BenchKeyboard keyboard(mode);
    keyboard.present(0, BenchKeyboard::portrait, KeyboardLetterLayout::QWERTY);
    keyboard.driver().touchDown(
        KeyboardTouchDriver::centerOfKeyNamed(NSString("Latin-Small-Letter-Q")).value_or(CGPoint { 16, 27 }));
    drawView(state, keyboard.layout()->popupView());
    keyboard.driver().touchCancel();
}

// The cap of "q" as a key view renders it for the key-image cache (state 4).
void capKeyViewDrawing(benchmark::State& state, BenchMode mode)
{
    BenchKeyboard keyboard(mode);
    keyboard.present(0, BenchKeyboard::portrait, KeyboardLetterLayout::QWERTY);
    UIKBTree* key = keyboard.firstKeyNamed("Latin-Small-Letter-Q");
    CGRect padded = send(key, sel::paddedFrame);
    auto view = makeRef<UIKBKeyView>(padded, key, UIKBKeyViewStateCap);
    drawView(state, view.get());
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

BENCHMARK_CAPTURE(popupKeyViewDrawing, Platform, BenchMode::PlatformCacheOff)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(popupKeyViewDrawing, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(capKeyViewDrawing, Platform, BenchMode::PlatformCacheOff)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(capKeyViewDrawing, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);

} // namespace
