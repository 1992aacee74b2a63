// Typing a fixed paragraph, and lines of growing length, through the whole stack, in this process: the test
// app's window and field, the platform keyboard, the extension injected by the
// platform's loader (or not), and the typist's planned touches. The
// platform-only run types the same paragraph on the keyboard alone, with the
// touches that keyboard needs; it must run first, since an injected extension
// stays for the life of the process.
#include "simulator/AppHost.h"
#include "simulator/TemporaryDevice.h"
#include "simulator/typing/TypedLine.h"

#include <benchmark/benchmark.h>
#include <memory>
#include <optional>

namespace {

const std::string paragraph
    = "Meet me at 7:45 on Friday, June 12, by the old mill (bring $20 for the tickets!). "
      "If it rains, we'll go on Saturday at 10 instead; call 555-0199 to check.";

// A host on a copy of the build's device, with the keyboard up and the
// paragraph typed once, untimed, so that the typist has learnt the keyboard;
// nothing, with the state skipped, when that fails.
std::unique_ptr<AppHost> hostThatTyped(
    benchmark::State& state, bool withCorvane, std::optional<TemporaryDevice>& device)
{
    auto copy = TemporaryDevice::copyOf(CORVANE_BUILD_DEVICE_ROOT);
    if (!copy) {
        state.SkipWithError(copy.error().message.c_str());
        return nullptr;
    }
    device.emplace(copy.releaseValue());
    HostOptions options;
    options.deviceRoot = device->root();
    options.injectsLibraries = withCorvane;
    auto host = std::make_unique<AppHost>(options);
    CommandResult ready = host->boot();
    if (ready)
        ready = host->perform(command::Keyboard {});
    if (ready)
        ready = host->perform(command::TypeLine { paragraph });
    if (!ready) {
        state.SkipWithError(ready.error().message.c_str());
        return nullptr;
    }
    return host;
}

// The paragraph typed into the emptied field of the test app, once per
// iteration, after one untimed run in which the typist learns the keyboard.
void typeParagraph(benchmark::State& state, bool withCorvane)
{
    std::optional<TemporaryDevice> device;
    std::unique_ptr<AppHost> host = hostThatTyped(state, withCorvane, device);
    if (!host)
        return;
    std::size_t touches = 0;
    for (auto _ : state) {
        CommandResult typed = host->perform(command::TypeLine { paragraph });
        ErrorOr<TypedLine> line = typed ? TypedLine::fromReply(typed.value().output) : typed.error();
        if (!line || line.value().fieldText != paragraph) {
            state.SkipWithError("the paragraph did not come out exactly");
            break;
        }
        touches = line.value().touches;
    }
    host->shutDown();
    state.counters["touches"] = static_cast<double>(touches);
    state.counters["characters"] = static_cast<double>(paragraph.size());
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(paragraph.size()));
}

BENCHMARK_CAPTURE(typeParagraph, Platform, false)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(typeParagraph, Extension, true)->Unit(benchmark::kMillisecond);

// The paragraph repeated to the length asked for, as one line, with the extension.
std::string lineOf(std::size_t characters)
{
    std::string line;
    while (line.size() < characters)
        line += paragraph + " ";
    line.resize(characters);
    // A line that ends in a space would take no different touches; keep it a letter.
    line.back() = 'x';
    return line;
}

// One line of 10^3, 10^4 or 10^5 characters per iteration, planned for the
// fewest touches or the least time: its time divided by
// its length stays flat when typing costs in proportion to the length of the line.
void typeLongLine(benchmark::State& state, PlanCost cost)
{
    const std::string line = lineOf(static_cast<std::size_t>(state.range(0)));
    std::optional<TemporaryDevice> device;
    std::unique_ptr<AppHost> host = hostThatTyped(state, true, device);
    if (!host)
        return;
    for (auto _ : state) {
        CommandResult typed = host->perform(command::TypeLine { line, false, LineStart::AsItCameUp, cost });
        ErrorOr<TypedLine> result = typed ? TypedLine::fromReply(typed.value().output) : typed.error();
        if (!result || result.value().fieldText != line) {
            state.SkipWithError("the line did not come out exactly");
            break;
        }
    }
    host->shutDown();
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(line.size()));
}

BENCHMARK_CAPTURE(typeLongLine, Touches, PlanCost::Touches)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);
// Planned for the least time: the search carries where the thumbs are.
BENCHMARK_CAPTURE(typeLongLine, Time, PlanCost::Time)
    ->Arg(1'000)
    ->Arg(10'000)
    ->Arg(100'000)
    ->Unit(benchmark::kMillisecond);

} // namespace
BENCHMARK_MAIN();
