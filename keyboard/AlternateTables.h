#pragma once

#include "keyboard/AlternateTable.h"

// The seven alternate tables, string to string, built once at load and kept
// for the process. An empty value marks a key that has no alternate.
extern AlternateTable gPunctuationVariants;
extern AlternateTable gEmailShiftedOverrides;
extern AlternateTable gWebAlternateOverrides;
extern AlternateTable gEmailAlternateOverrides;
// The letter tables, one per physical layout; the currency fill rewrites
// their entries j, J, K and L.
extern AlternateTable gQwertyAlternates;
extern AlternateTable gQwertzAlternates;
extern AlternateTable gAzertyAlternates;

// Placeholders under j, J, K and L until the currency fill replaces them.
inline constexpr const char* primaryCurrencyPlaceholder = "CUR";
inline constexpr const char* alternateCurrencyPlaceholders[3] = { "CURAlt1", "CURAlt2", "CURAlt3" };

void buildAlternateTables();
