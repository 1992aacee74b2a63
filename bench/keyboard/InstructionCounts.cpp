// Counts the instructions of the operations the time suites measure, under
// callgrind: collection is switched on around each operation only, and each
// measure's operations are dumped under their own name, with their number.
// tools/bench --instructions runs it and reads the dumps; counts do not move
// with the machine's load, so the goals are settled on them.
#include "bench/keyboard/BenchOperations.h"

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <valgrind/callgrind.h>

namespace {

// Enough operations that the first one's misses on the dispatch caches and
// the allocator's first requests do not show; few enough to run in minutes.
constexpr int switches = 200;
constexpr int firstSwitches = 20;
// A multiple of the 26 letters, so that the drags across them weigh each alike.
constexpr int touchEvents = 16 * 26;
constexpr int flicks = 40;
constexpr int keyplaneDrawings = 10;
constexpr int keyViewDrawings = 40;
// Operations made uncounted first, so that the counts are of the steady
// state: dispatch caches filled, timers allocated.
constexpr int warmUpOperations = 3;

using MakeOperation = std::function<std::unique_ptr<BenchOperation>()>;

// Only the measures whose names start with this are counted (all when empty),
// so that one measure can be looked into with callgrind_annotate.
std::string measuresWanted;

// The measure's name, the number of operations and their total are what a
// dump says; the name carries the number.
void countInstructions(const std::string& measure, int count, const MakeOperation& make)
{
    // What measuring costs by itself is counted whatever is wanted: every figure needs it.
    if (!measure.starts_with(measuresWanted) && measure != "nothing")
        return;
    std::unique_ptr<BenchOperation> operation = make();
    for (int index = 0; index < warmUpOperations; ++index) {
        operation->prepare();
        operation->run();
    }
    for (int index = 0; index < count; ++index) {
        operation->prepare();
        CALLGRIND_TOGGLE_COLLECT;
        operation->run();
        CALLGRIND_TOGGLE_COLLECT;
    }
    // The request reads the name when it is made, so it must outlive the statement.
    std::string dumpName = measure + " x" + std::to_string(count);
    CALLGRIND_DUMP_STATS_AT(dumpName.c_str());
    std::printf("counted %s (%d)\n", measure.c_str(), count);
    std::fflush(stdout);
}

template <typename Operation, typename... Arguments> MakeOperation make(Arguments... arguments)
{
    return [=] { return std::make_unique<Operation>(arguments...); };
}

void countBothModes(const std::string& measure, int count,
    const std::function<MakeOperation(BenchMode)>& makeInMode, BenchMode platformMode)
{
    countInstructions(measure + "/Platform", count, makeInMode(platformMode));
    countInstructions(measure + "/Extension", count, makeInMode(BenchMode::Extension));
}

} // namespace

int main(int argc, char** argv)
{
    if (argc > 1)
        measuresWanted = argv[1];
    if (!RUNNING_ON_VALGRIND) {
        std::fprintf(stderr,
            "keyboard-instructions counts under callgrind only: run it through tools/bench --instructions\n");
        return 2;
    }
    countInstructions("nothing", touchEvents, make<NoOperation>());

    countBothModes(
        "repeatedSwitch", switches, [](BenchMode mode) { return make<RepeatedSwitch>(mode); },
        BenchMode::PlatformCacheOn);
    for (const FirstSwitchCase& which : firstSwitchCases()) {
        countBothModes(
            std::string("firstSwitch/") + which.label, firstSwitches,
            [&which](BenchMode mode) { return make<FirstSwitch>(mode, which); }, BenchMode::PlatformCacheOn);
    }

    for (const DragCase& which : dragCases()) {
        countBothModes(
            which.label, touchEvents,
            [&which](BenchMode mode) { return make<Drag>(mode, which.gesture, which.keys); },
            BenchMode::PlatformCacheOn);
    }
    for (DragKeys keys : { DragKeys::Q, DragKeys::EveryLetter })
        countInstructions(dragFloorHitTestLabel(keys), touchEvents, make<DragHitTest>(keys));
    countInstructions("dragFloor/touchLongPressTimerWithDelay", touchEvents, make<LongPressTimerRearm>());
    countBothModes(
        "tap", flicks, [](BenchMode mode) { return make<Tap>(mode); }, BenchMode::PlatformCacheOn);
    countBothModes(
        "rolledPair", flicks, [](BenchMode mode) { return make<RolledPair>(mode); },
        BenchMode::PlatformCacheOn);
    countBothModes(
        "flick", flicks, [](BenchMode mode) { return make<Flick>(mode); }, BenchMode::PlatformCacheOn);

    countBothModes(
        "keyplaneDrawing/Portrait", keyplaneDrawings,
        [](BenchMode mode) { return make<KeyplaneDrawing>(mode, BenchKeyboard::portrait); },
        BenchMode::PlatformCacheOff);
    countBothModes(
        "keyplaneDrawing/Landscape", keyplaneDrawings,
        [](BenchMode mode) { return make<KeyplaneDrawing>(mode, BenchKeyboard::landscape); },
        BenchMode::PlatformCacheOff);
    countBothModes(
        "keptKeyplaneDrawing/Portrait", keyplaneDrawings,
        [](BenchMode mode) { return make<KeptKeyplaneDrawing>(mode, BenchKeyboard::portrait); },
        BenchMode::PlatformCacheOn);
    countBothModes(
        "keptKeyplaneDrawing/Landscape", keyplaneDrawings,
        [](BenchMode mode) { return make<KeptKeyplaneDrawing>(mode, BenchKeyboard::landscape); },
        BenchMode::PlatformCacheOn);
    countBothModes(
        "shiftTap", keyplaneDrawings, [](BenchMode mode) { return make<ShiftTap>(mode); },
        BenchMode::PlatformCacheOn);
    countBothModes(
        "popupKeyViewDrawing", keyViewDrawings,
        [](BenchMode mode) { return make<PopupKeyViewDrawing>(mode); }, BenchMode::PlatformCacheOff);
    countBothModes(
        "capKeyViewDrawing", keyViewDrawings, [](BenchMode mode) { return make<CapKeyViewDrawing>(mode); },
        BenchMode::PlatformCacheOff);
    return 0;
}
