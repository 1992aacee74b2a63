#include "keyboard/AlternateTables.h"

#include <initializer_list>
#include <iterator>
#include <map>
#include <string_view>
#include <utility>
#include <vector>

AlternateTable gPunctuationVariants;
AlternateTable gEmailShiftedOverrides;
AlternateTable gWebAlternateOverrides;
AlternateTable gEmailAlternateOverrides;
AlternateTable gQwertyAlternates;
AlternateTable gQwertzAlternates;
AlternateTable gAzertyAlternates;

namespace {

constexpr const char* quotationMark = "\"";
constexpr const char* apostrophe = "'";
constexpr const char* graveAccent = "`";
constexpr const char* reverseSolidus = "\\";
constexpr const char* verticalLine = "|";
constexpr const char* ellipsis = "\u2026";
constexpr const char* bullet = "\u2022";
constexpr const char* leftGuillemet = "\u00AB";
constexpr const char* rightGuillemet = "\u00BB";
constexpr const char* invertedQuestionMark = "\u00BF";
constexpr const char* invertedExclamationMark = "\u00A1";
constexpr const char* noAlternate = "";
constexpr const char* CUR = primaryCurrencyPlaceholder;
constexpr const char* CURAlt1 = alternateCurrencyPlaceholders[0];
constexpr const char* CURAlt2 = alternateCurrencyPlaceholders[1];
constexpr const char* CURAlt3 = alternateCurrencyPlaceholders[2];

using Entry = std::pair<const char*, const char*>;

// The tables repeat a few dozen values; each distinct one is stored once and
// shared by every entry that has it.
class ValuePool {
public:
    NSString operator()(const char* value)
    {
        auto [position, added] = m_values.try_emplace(value);
        if (added)
            position->second = NSString(value);
        return position->second;
    }

private:
    std::map<std::string_view, NSString> m_values;
};

AlternateTable makeTable(ValuePool& pool, std::initializer_list<Entry> entries)
{
    std::vector<AlternateTable::Entry> stored;
    stored.reserve(entries.size());
    for (const auto& [key, value] : entries)
        stored.emplace_back(key, pool(value));
    return AlternateTable(std::move(stored));
}

// One row per letter: the lower-case letter and its alternate on each layout,
// then the capital and its alternates, the layouts in the order of
// physicalLayouts(). The alternates follow the key's position, so QWERTZ and
// AZERTY differ only where their letters move.
constexpr std::size_t layoutCount = 3;
struct LetterRow {
    const char* letter;
    const char* alternates[layoutCount];
    const char* capital;
    const char* capitalAlternates[layoutCount];
};

// clang-format off
constexpr LetterRow letterRows[] = {
    //          QWERTY  QWERTZ  AZERTY              QWERTY  QWERTZ  AZERTY
    { "a", { "-", "-", "1" },                    "A", { "_", "_", "[" } },
    { "b", { "!", "!", "!" },                    "B", { "!", "!", "!" } },
    { "c", { ellipsis, ellipsis, ellipsis },     "C", { bullet, bullet, bullet } },
    { "d", { ":", ":", ":" },                    "D", { verticalLine, verticalLine, verticalLine } },
    { "e", { "3", "3", "3" },                    "E", { "{", "{", "{" } },
    { "f", { ";", ";", ";" },                    "F", { "~", "~", "~" } },
    { "g", { "(", "(", "(" },                    "G", { "<", "<", "<" } },
    { "h", { ")", ")", ")" },                    "H", { ">", ">", ">" } },
    { "i", { "8", "8", "8" },                    "I", { "*", "*", "*" } },
    { "j", { CUR, CUR, CUR },                    "J", { CURAlt1, CURAlt1, CURAlt1 } },
    { "k", { "&", "&", "&" },                    "K", { CURAlt2, CURAlt2, CURAlt2 } },
    { "l", { "@", "@", "@" },                    "L", { CURAlt3, CURAlt3, CURAlt3 } },
    { "m", { apostrophe, apostrophe, quotationMark }, "M", { apostrophe, apostrophe, quotationMark } },
    { "n", { quotationMark, quotationMark, apostrophe }, "N", { quotationMark, quotationMark, apostrophe } },
    { "o", { "9", "9", "9" },                    "O", { "+", "+", "+" } },
    { "p", { "0", "0", "0" },                    "P", { "=", "=", "=" } },
    { "q", { "1", "1", "-" },                    "Q", { "[", "[", "_" } },
    { "r", { "4", "4", "4" },                    "R", { "}", "}", "}" } },
    { "s", { "/", "/", "/" },                    "S", { reverseSolidus, reverseSolidus, reverseSolidus } },
    { "t", { "5", "5", "5" },                    "T", { "#", "#", "#" } },
    { "u", { "7", "7", "7" },                    "U", { "^", "^", "^" } },
    { "v", { "?", "?", "?" },                    "V", { "?", "?", "?" } },
    { "w", { "2", "2", "." },                    "W", { "]", "]", "." } },
    { "x", { ",", ",", "," },                    "X", { ",", ",", "," } },
    { "y", { "6", ".", "6" },                    "Y", { "%", ".", "%" } },
    { "z", { ".", "6", "2" },                    "Z", { ".", "%", "]" } },
};
// clang-format on

const PhysicalLayout layouts[layoutCount] = {
    { LetterLayout::QWERTY, "QWERTY", &gQwertyAlternates },
    { LetterLayout::QWERTZ, "QWERTZ", &gQwertzAlternates },
    { LetterLayout::AZERTY, "AZERTY", &gAzertyAlternates },
};

AlternateTable makeLetterTable(ValuePool& pool, std::size_t column)
{
    std::vector<AlternateTable::Entry> entries;
    entries.reserve(std::size(letterRows) * 2);
    for (const LetterRow& row : letterRows) {
        entries.emplace_back(row.letter, pool(row.alternates[column]));
        entries.emplace_back(row.capital, pool(row.capitalAlternates[column]));
    }
    return AlternateTable(std::move(entries));
}

} // namespace

std::span<const PhysicalLayout> physicalLayouts()
{
    return layouts;
}

void buildAlternateTables()
{
    ValuePool pool;
    gPunctuationVariants = makeTable(pool,
        {
            { ".", ellipsis },
            { ",", quotationMark },
            { "?", invertedQuestionMark },
            { "!", invertedExclamationMark },
            { apostrophe, graveAccent },
        });
    gEmailShiftedOverrides = makeTable(pool, { { "!", noAlternate }, { ".", noAlternate } });
    gWebAlternateOverrides = makeTable(pool,
        {
            { "j", bullet },
            { "J", bullet },
            { "K", leftGuillemet },
            { "L", rightGuillemet },
            { "C", ellipsis },
            { ".", noAlternate },
        });
    gEmailAlternateOverrides = makeTable(pool, { { "!", noAlternate } });
    for (std::size_t column = 0; column < layoutCount; ++column)
        *layouts[column].letterTable = makeLetterTable(pool, column);
}
