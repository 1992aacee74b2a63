#pragma once

#include "platform/PlatformExport.h"

#include <cstdint>
#include <functional>

// Work handed to the main queue, which is the main run loop: blocks run on
// the main thread, after the given time on the loop's clock.
using dispatch_time_t = std::uint64_t;
using dispatch_block_t = std::function<void()>;
struct dispatch_queue_s;
using dispatch_queue_t = dispatch_queue_s*;

inline constexpr dispatch_time_t DISPATCH_TIME_NOW = 0;
inline constexpr dispatch_time_t DISPATCH_TIME_FOREVER = ~dispatch_time_t { 0 };
inline constexpr std::int64_t NSEC_PER_SEC = 1000000000;
inline constexpr std::int64_t NSEC_PER_MSEC = 1000000;

// A time `deltaNanoseconds` after `when` (DISPATCH_TIME_NOW: the loop's current time).
PLATFORM_EXPORT dispatch_time_t dispatch_time(dispatch_time_t when, std::int64_t deltaNanoseconds);
PLATFORM_EXPORT dispatch_queue_t dispatch_get_main_queue();
// Runs the block on the queue once `when` has come; never for DISPATCH_TIME_FOREVER.
PLATFORM_EXPORT void dispatch_after(dispatch_time_t when, dispatch_queue_t queue, dispatch_block_t block);
// Runs the block on the queue's next turn.
PLATFORM_EXPORT void dispatch_async(dispatch_queue_t queue, dispatch_block_t block);
