#pragma once

#include "platform/runtime/Message.h"

#include <utility>

// Sends a message with the implementation the given superclass answers, as an
// override calls the method it extends. It goes through the superclass's
// method table, so a replacement installed there is what runs.
template <typename Result, typename... Parameters, typename... Arguments>
Result sendSuper(Class* superclass, NSObject* receiver, const Selector<Result(Parameters...)>& selector,
    Arguments&&... arguments)
{
    auto implementation = reinterpret_cast<typename Selector<Result(Parameters...)>::Implementation>(
        superclass->lookupImplementation(selector.id()));
    return callImplementation(implementation, receiver, std::forward<Arguments>(arguments)...);
}
