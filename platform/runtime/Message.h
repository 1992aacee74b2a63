#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/Class.h"
#include "platform/runtime/WeakPtr.h"

#include <type_traits>
#include <utility>

// The implementation a message reaches, past the dispatch cache. A receiver
// whose class chain has no method for the selector raises the platform's
// "unrecognized selector" exception, as the real run-time does.
PLATFORM_EXPORT Imp resolveUncachedMessage(NSObject* receiver, SelectorId selector);

// The implementation a message reaches. The cached case is inline: every
// message send of the keyboard's drag and switch paths goes through here.
inline Imp resolveMessage(NSObject* receiver, SelectorId selector)
{
    if (Class* cls = receiver->isa()) {
        if (Imp cached = cls->cachedImplementation(selector))
            return cached;
    }
    return resolveUncachedMessage(receiver, selector);
}

// What a message to a missing object answers: nothing, 0, false or an empty value.
template <typename Result> Result nothingOf()
{
    if constexpr (std::is_void_v<Result>)
        return;
    else
        return Result {};
}

// Sends a message through the receiver's method table, so that a replaced
// method is what runs. This is the one place where a message to a missing
// object does nothing.
template <typename Result, typename... Parameters, typename... Arguments>
Result send(NSObject* receiver, const Selector<Result(Parameters...)>& selector, Arguments&&... arguments)
{
    if (!receiver)
        return nothingOf<Result>();
    auto implementation = reinterpret_cast<typename Selector<Result(Parameters...)>::Implementation>(
        resolveMessage(receiver, selector.id()));
    return implementation(receiver, std::forward<Arguments>(arguments)...);
}

template <typename T, typename Signature, typename... Arguments>
auto send(const RefPtr<T>& receiver, const Selector<Signature>& selector, Arguments&&... arguments)
{
    return send(static_cast<NSObject*>(receiver.get()), selector, std::forward<Arguments>(arguments)...);
}

template <typename T, typename Signature, typename... Arguments>
auto send(const Ref<T>& receiver, const Selector<Signature>& selector, Arguments&&... arguments)
{
    return send(static_cast<NSObject*>(receiver.get()), selector, std::forward<Arguments>(arguments)...);
}

template <typename T, typename Signature, typename... Arguments>
auto send(const WeakPtr<T>& receiver, const Selector<Signature>& selector, Arguments&&... arguments)
{
    return send(static_cast<NSObject*>(receiver.get()), selector, std::forward<Arguments>(arguments)...);
}

// Calls one implementation directly, as a replacement calls the one it displaced.
template <typename Result, typename... Parameters, typename... Arguments>
Result callImplementation(
    Result (*implementation)(NSObject*, Parameters...), NSObject* receiver, Arguments&&... arguments)
{
    if (!implementation)
        return nothingOf<Result>();
    return implementation(receiver, std::forward<Arguments>(arguments)...);
}

namespace runtime_detail {

template <typename Signature, auto MemberFunction> struct MemberThunk;

template <typename Result, typename... Parameters, auto MemberFunction>
struct MemberThunk<Result(Parameters...), MemberFunction> {
    template <typename Owner> static Owner ownerOf(Result (Owner::*)(Parameters...));
    template <typename Owner> static Owner ownerOf(Result (Owner::*)(Parameters...) const);
    using Owner = decltype(ownerOf(MemberFunction));

    static Result call(NSObject* self, Parameters... parameters)
    {
        return (static_cast<Owner*>(self)->*MemberFunction)(std::forward<Parameters>(parameters)...);
    }
};

} // namespace runtime_detail

// Registers a member function of the class's C++ type as the platform's own
// method for the selector; its signature must match the selector's.
template <auto MemberFunction, typename Signature>
void addMethod(Class* cls, const Selector<Signature>& selector)
{
    using Thunk = runtime_detail::MemberThunk<Signature, MemberFunction>;
    static_assert(std::is_base_of_v<NSObject, typename Thunk::Owner>);
    cls->addMethod(selector.id(), reinterpret_cast<Imp>(&Thunk::call));
}

// Registers a free function (receiver first) as the platform's own method,
// used for class operations on metaclasses.
template <typename Signature>
void addMethod(
    Class* cls, const Selector<Signature>& selector, typename Selector<Signature>::Implementation function)
{
    cls->addMethod(selector.id(), reinterpret_cast<Imp>(function));
}
