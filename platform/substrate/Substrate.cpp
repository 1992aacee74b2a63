#include "platform/substrate/Substrate.h"

bool hookMessage(Class* cls, SelectorId selector, Imp replacement, Imp* previous)
{
    *previous = nullptr;
    if (!cls || !replacement)
        return false;
    // An inherited method is replaced on this class only; the inherited
    // implementation is what the replacement calls on.
    Imp displaced = cls->lookupImplementation(selector);
    if (!displaced)
        return false;
    cls->replaceImplementation(selector, replacement);
    *previous = displaced;
    return true;
}
