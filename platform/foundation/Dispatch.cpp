#include "platform/foundation/Dispatch.h"

#include "platform/foundation/NSRunLoop.h"

#include <limits>

struct dispatch_queue_s { };

namespace {

std::uint64_t loopTime()
{
    return static_cast<std::uint64_t>(NSRunLoop::main().currentTimeNanoseconds());
}

} // namespace

dispatch_time_t dispatch_time(dispatch_time_t when, std::int64_t deltaNanoseconds)
{
    if (when == DISPATCH_TIME_FOREVER)
        return DISPATCH_TIME_FOREVER;
    std::uint64_t base = when == DISPATCH_TIME_NOW ? loopTime() : when;
    if (deltaNanoseconds < 0) {
        auto earlier = static_cast<std::uint64_t>(-(deltaNanoseconds + 1)) + 1;
        return earlier >= base ? 0 : base - earlier;
    }
    auto later = static_cast<std::uint64_t>(deltaNanoseconds);
    // Far enough in the future is for ever.
    return later >= DISPATCH_TIME_FOREVER - base ? DISPATCH_TIME_FOREVER : base + later;
}

dispatch_queue_t dispatch_get_main_queue()
{
    static dispatch_queue_s mainQueue;
    return &mainQueue;
}

void dispatch_after(dispatch_time_t when, dispatch_queue_t, dispatch_block_t block)
{
    if (when == DISPATCH_TIME_FOREVER || !block)
        return;
    std::uint64_t now = loopTime();
    double delay = when > now ? static_cast<double>(when - now) / 1e9 : 0.0;
    NSTimer::scheduledTimerWithTimeInterval(delay, false, [block = std::move(block)](NSTimer*) { block(); });
}

void dispatch_async(dispatch_queue_t, dispatch_block_t block)
{
    NSRunLoop::main().performOnNextTurn(std::move(block));
}
