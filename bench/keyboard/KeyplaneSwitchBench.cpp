// Keyplane switch: the platform's own setKeyplaneName: alone against the same
// switch with the extension's replacement in front of it.
#include "bench/keyboard/BenchKeyboard.h"

#include <benchmark/benchmark.h>

namespace {

struct FirstSwitch {
    KeyboardLetterLayout letterLayout;
    int keyboardType; // chosen so that the keyboard opens on another keyplane
    const char* keyplane;
};

constexpr int opensOnLetters = 0;
constexpr int opensOnNumbers = 2;
// Each one needs a keyboard built untimed, so their number is fixed.
constexpr benchmark::IterationCount firstSwitchIterations = 300;

// Each iteration brings up a newly built keyboard untimed, then times the
// first switch to the keyplane, so every key is seen for the first time.
void firstSwitch(benchmark::State& state, BenchMode mode, FirstSwitch which)
{
    BenchKeyboard keyboard(mode);
    NSString name(which.keyplane);
    for (auto _ : state) {
        state.PauseTiming();
        keyboard.present(which.keyboardType, BenchKeyboard::portrait, which.letterLayout);
        state.ResumeTiming();
        keyboard.switchTo(name);
    }
}

// Switches back and forth between two keyplanes that have both been shown.
void repeatedSwitch(benchmark::State& state, BenchMode mode)
{
    BenchKeyboard keyboard(mode);
    keyboard.present(opensOnLetters, BenchKeyboard::portrait, KeyboardLetterLayout::QWERTY);
    NSString names[2] = { NSString("Capital-Letters"), NSString("Small-Letters") };
    keyboard.switchTo(names[0]);
    keyboard.switchTo(names[1]);
    std::size_t next = 0;
    for (auto _ : state) {
        keyboard.switchTo(names[next]);
        next ^= 1;
    }
}

#define FIRST_SWITCH(caseName, layout, type, keyplane)                                                       \
    BENCHMARK_CAPTURE(firstSwitch, caseName / Platform, BenchMode::PlatformCacheOn,                          \
        FirstSwitch { KeyboardLetterLayout::layout, type, keyplane })                                        \
        ->Unit(benchmark::kMicrosecond)                                                                      \
        ->Iterations(firstSwitchIterations);                                                                 \
    BENCHMARK_CAPTURE(firstSwitch, caseName / Extension, BenchMode::Extension,                               \
        FirstSwitch { KeyboardLetterLayout::layout, type, keyplane })                                        \
        ->Unit(benchmark::kMicrosecond)                                                                      \
        ->Iterations(firstSwitchIterations)

FIRST_SWITCH(QWERTY_Small_Letters, QWERTY, opensOnNumbers, "Small-Letters");
FIRST_SWITCH(QWERTY_Capital_Letters, QWERTY, opensOnLetters, "Capital-Letters");
FIRST_SWITCH(QWERTZ_Small_Letters, QWERTZ, opensOnNumbers, "Small-Letters");
FIRST_SWITCH(QWERTZ_Capital_Letters, QWERTZ, opensOnLetters, "Capital-Letters");
FIRST_SWITCH(AZERTY_Small_Letters, AZERTY, opensOnNumbers, "Small-Letters");
FIRST_SWITCH(AZERTY_Capital_Letters, AZERTY, opensOnLetters, "Capital-Letters");
FIRST_SWITCH(Numbers_And_Punctuation, QWERTY, opensOnLetters, "Numbers-And-Punctuation");
FIRST_SWITCH(Numbers_And_Punctuation_Alternate, QWERTY, opensOnLetters, "Numbers-And-Punctuation-Alternate");

BENCHMARK_CAPTURE(repeatedSwitch, Platform, BenchMode::PlatformCacheOn)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(repeatedSwitch, Extension, BenchMode::Extension)->Unit(benchmark::kMicrosecond);

} // namespace
