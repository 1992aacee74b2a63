#pragma once

#include "keyboard/ExtensionState.h"
#include "platform/foundation/NSString.h"

class NSObject;

// Writes the current locale's currency signs over entries j, J, K and L of
// the three letter tables, taking them from the currency keys of the layout
// controller's numbers keyplanes. Sets gCurrencyFilled once a primary sign is
// found; until then the fill is worth retrying.
void fillCurrencySigns(NSObject* layoutController);

// The alternate of one key: the override tables, then the key at the same
// position on the shift-alternate keyplane (when one is given) or the letter
// table of the layout, then the punctuation variants. Empty means the key has
// no alternate; nothing means no source had one.
NSString lookupAlternateString(NSObject* key, NSObject* keyplane, NSObject* shiftAlternateKeyplane,
    const NSString& represented, bool lettersKeyplane, bool shiftLockAlternate, KeyboardKind kind,
    LetterLayout layout);
