#pragma once

#include "keyboard/ExtensionState.h"
#include "platform/foundation/NSString.h"

#include <cstddef>
#include <optional>

class KeyplaneRows;
class NSObject;

// Writes the current locale's currency signs over entries j, J, K and L of
// the three letter tables, taking them from the currency keys of the layout
// controller's numbers keyplanes. Sets gCurrencyFilled once a primary sign is
// found; until then the fill is worth retrying.
void fillCurrencySigns(NSObject* layoutController);

// Whether every currency key of the keyplane already shows and types the
// sign the last currency fill found for it. The fill follows the current
// locale, so setting such a keyplane's currency keys for the locale again
// would write what they hold. False until a fill has found the signs.
bool currencyKeysShowFilledSigns(const KeyplaneRows& keys);

// The alternate of one key: the override tables, then the key at the same
// position on the shift-alternate keyplane (when its keys are given) or the letter
// table of the layout, then the punctuation variants. Empty means the key has
// no alternate; nothing means no source had one. A caller that knows the
// key's position among the keyplane's keys passes it, sparing the search.
NSString lookupAlternateString(NSObject* key, NSObject* keyplane, const KeyplaneRows* shiftAlternateKeys,
    const NSString& represented, bool lettersKeyplane, bool shiftLockAlternate, KeyboardKind kind,
    LetterLayout layout, std::optional<std::size_t> position = std::nullopt);
