#pragma once

#include "keyboard/ExtensionState.h"

#include <cstddef>
#include <cstdint>

class NSObject;

// What a keyplane's keys are augmented under: everything the key loop's
// decisions depend on besides the keys' own markers.
struct AugmentationConditions {
    KeyboardKind kind;
    TypeMode typeMode;
    LetterLayout layout; // QWERTY on keyplanes other than letters keyplanes
    bool shiftLockedAlternates;
    bool currencyFilled;
    int localeChanges;
    std::size_t keyCount;

    // The current conditions for a keyplane with this many keys.
    static AugmentationConditions current(std::size_t keyCount);
    std::int64_t stored() const;
};

// A keyplane's memo of its last key loop: set when that loop left every
// eligible key marked as processed under the conditions, so that the next
// switch under the same conditions would pass over every key. Only the key
// loop writes a key's markers and only the locale change takes them away
// (which changes the conditions), so the memo says exactly what the loop
// would find.
bool keysAugmentedUnder(NSObject* keyplane, const AugmentationConditions& conditions);
void rememberAugmentation(NSObject* keyplane, const AugmentationConditions& conditions);
// After a loop that left a key unprocessed (a key that types nothing keeps
// its old markers), the next switch must look at the keys again.
void forgetAugmentation(NSObject* keyplane);
