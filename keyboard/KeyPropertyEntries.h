#pragma once

#include "contracts/CorvaneContract.h"
#include "platform/foundation/DictionaryKey.h"

// Entries of the keyboard's property dictionaries: the platform's own, which
// the extension only reads, and the ones the extension writes next to them.
// Their hashes are worked out at compile time.
namespace entry {

inline constexpr DictionaryKey representedString { "KBrepresentedString" };
inline constexpr DictionaryKey displayString { "KBdisplayString" };
inline constexpr DictionaryKey displayTypeHint { "KBdisplayTypeHint" };
inline constexpr DictionaryKey popupBias { "popup-bias" };

inline constexpr DictionaryKey representedStringNoAlt { contract::ownStringEntry };
inline constexpr DictionaryKey representedStringAlt { contract::alternateEntry };
inline constexpr DictionaryKey representedStringAltShiftLocked { contract::shiftLockedAlternateEntry };

inline constexpr DictionaryKey processedKind { "CorvaneProcessed" };
inline constexpr DictionaryKey processedTypeMode { "CorvaneKPProcessed" };
inline constexpr DictionaryKey processedLayout { "CorvaneLayoutProcessed" };
inline constexpr DictionaryKey enabledState { "CorvaneEnabledState" };
// On a keyplane: how many locale changes its keys were last processed after.
inline constexpr DictionaryKey processedLocale { "CorvaneLocaleProcessed" };
// On a keyplane: the conditions under which its key loop last left every key processed.
inline constexpr DictionaryKey augmentedUnder { "CorvaneAugmentedUnder" };

} // namespace entry
