#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/Class.h"
#include "platform/runtime/Selector.h"

PLATFORM_EXPORT bool hookMessage(Class* cls, SelectorId selector, Imp replacement, Imp* previous);

// Replaces the implementation of a selector on a class (class operations on
// its metaclass) and hands back the one it displaced, so the replacement can
// call it. Replacing twice chains: the second replacement's previous is the
// first replacement. A missing class, or a selector the class does not
// answer, replaces nothing, sets previous to nothing and answers false.
template <typename Signature>
bool MSHookMessageEx(Class* cls, const Selector<Signature>& selector,
    typename Selector<Signature>::Implementation replacement,
    typename Selector<Signature>::Implementation* previous)
{
    Imp displaced = nullptr;
    bool replaced = hookMessage(cls, selector.id(), reinterpret_cast<Imp>(replacement), &displaced);
    if (previous)
        *previous = reinterpret_cast<typename Selector<Signature>::Implementation>(displaced);
    return replaced;
}
