#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/Message.h"

#include <functional>
#include <type_traits>

// Runs `action` on the main run loop after `delay` seconds, keeping the
// target alive until then; cancelPreviousPerformRequestsWithTarget drops it.
// A missing target schedules nothing.
PLATFORM_EXPORT void performAfterDelay(NSObject* target, std::function<void(NSObject*)> action, double delay);
PLATFORM_EXPORT void cancelPreviousPerformRequestsWithTarget(NSObject* target);

// performSelector:withObject:afterDelay: — the message is sent through the
// target's method table when the time comes, so a replacement installed
// meanwhile is what runs. The argument is kept alive too.
template <typename Result, typename Argument>
requires std::is_base_of_v<NSObject, Argument>
void performSelectorAfterDelay(
    NSObject* target, const Selector<Result(Argument*)>& selector, Argument* argument, double delay)
{
    RefPtr<Argument> keptArgument(argument);
    performAfterDelay(
        target,
        [selector, keptArgument](NSObject* receiver) { send(receiver, selector, keptArgument.get()); },
        delay);
}

// The same for a message without arguments (the object passed is ignored, as
// the platform ignores it).
template <typename Result>
void performSelectorAfterDelay(NSObject* target, const Selector<Result()>& selector, NSObject*, double delay)
{
    performAfterDelay(
        target, [selector](NSObject* receiver) { send(receiver, selector); }, delay);
}
