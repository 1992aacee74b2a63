#pragma once

#include "platform/foundation/NSMutableDictionary.h"

// The seven alternate tables, string to string, built once at load. An empty
// value marks a key that has no alternate.
extern RefPtr<NSMutableDictionary> gPunctuationVariants;
extern RefPtr<NSMutableDictionary> gEmailShiftedOverrides;
extern RefPtr<NSMutableDictionary> gWebAlternateOverrides;
extern RefPtr<NSMutableDictionary> gEmailAlternateOverrides;
// The letter tables, one per physical layout; the currency fill rewrites
// their entries j, J, K and L.
extern RefPtr<NSMutableDictionary> gQwertyAlternates;
extern RefPtr<NSMutableDictionary> gQwertzAlternates;
extern RefPtr<NSMutableDictionary> gAzertyAlternates;

// Placeholders under j, J, K and L until the currency fill replaces them.
inline constexpr const char* primaryCurrencyPlaceholder = "CUR";
inline constexpr const char* alternateCurrencyPlaceholders[3] = { "CURAlt1", "CURAlt2", "CURAlt3" };

void buildAlternateTables();
