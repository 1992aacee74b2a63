#pragma once

#include "keyboard/AlternateTable.h"
#include "keyboard/ExtensionState.h"

#include <span>

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

// The physical layouts the extension tells apart, QWERTY first (the one for a
// keyplane whose key sets name none): the word a letters key set's name
// carries for it, and its letter table. A language's keyboard is detected as
// the layout it builds on, whose table gives its letters their alternates;
// its own letters have no entry there.
struct PhysicalLayout {
    LetterLayout layout;
    const char* keySetWord;
    AlternateTable* letterTable;
};
std::span<const PhysicalLayout> physicalLayouts();

// Placeholders under j, J, K and L until the currency fill replaces them.
inline constexpr const char* primaryCurrencyPlaceholder = "CUR";
inline constexpr const char* alternateCurrencyPlaceholders[3] = { "CURAlt1", "CURAlt2", "CURAlt3" };

void buildAlternateTables();
