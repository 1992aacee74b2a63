#include "keyboard/AlternateTables.h"

#include <initializer_list>
#include <utility>

RefPtr<NSMutableDictionary> gPunctuationVariants;
RefPtr<NSMutableDictionary> gEmailShiftedOverrides;
RefPtr<NSMutableDictionary> gWebAlternateOverrides;
RefPtr<NSMutableDictionary> gEmailAlternateOverrides;
RefPtr<NSMutableDictionary> gQwertyAlternates;
RefPtr<NSMutableDictionary> gQwertzAlternates;
RefPtr<NSMutableDictionary> gAzertyAlternates;

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

RefPtr<NSMutableDictionary> makeTable(std::initializer_list<Entry> entries)
{
    auto table = NSMutableDictionary::dictionary();
    for (const auto& [key, value] : entries)
        table->setObject(Value(NSString(value)), key);
    return table;
}

// One row per letter: the lower-case letter and its alternate on each layout,
// then the capital and its alternates. The alternates follow the key's
// position, so QWERTZ and AZERTY differ only where their letters move.
struct LetterRow {
    const char* letter;
    const char* qwerty;
    const char* qwertz;
    const char* azerty;
    const char* capital;
    const char* capitalQwerty;
    const char* capitalQwertz;
    const char* capitalAzerty;
};

// clang-format off
constexpr LetterRow letterRows[] = {
    { "a", "-", "-", "1",                    "A", "_", "_", "[" },
    { "b", "!", "!", "!",                    "B", "!", "!", "!" },
    { "c", ellipsis, ellipsis, ellipsis,     "C", bullet, bullet, bullet },
    { "d", ":", ":", ":",                    "D", verticalLine, verticalLine, verticalLine },
    { "e", "3", "3", "3",                    "E", "{", "{", "{" },
    { "f", ";", ";", ";",                    "F", "~", "~", "~" },
    { "g", "(", "(", "(",                    "G", "<", "<", "<" },
    { "h", ")", ")", ")",                    "H", ">", ">", ">" },
    { "i", "8", "8", "8",                    "I", "*", "*", "*" },
    { "j", CUR, CUR, CUR,                    "J", CURAlt1, CURAlt1, CURAlt1 },
    { "k", "&", "&", "&",                    "K", CURAlt2, CURAlt2, CURAlt2 },
    { "l", "@", "@", "@",                    "L", CURAlt3, CURAlt3, CURAlt3 },
    { "m", apostrophe, apostrophe, quotationMark, "M", apostrophe, apostrophe, quotationMark },
    { "n", quotationMark, quotationMark, apostrophe, "N", quotationMark, quotationMark, apostrophe },
    { "o", "9", "9", "9",                    "O", "+", "+", "+" },
    { "p", "0", "0", "0",                    "P", "=", "=", "=" },
    { "q", "1", "1", "-",                    "Q", "[", "[", "_" },
    { "r", "4", "4", "4",                    "R", "}", "}", "}" },
    { "s", "/", "/", "/",                    "S", reverseSolidus, reverseSolidus, reverseSolidus },
    { "t", "5", "5", "5",                    "T", "#", "#", "#" },
    { "u", "7", "7", "7",                    "U", "^", "^", "^" },
    { "v", "?", "?", "?",                    "V", "?", "?", "?" },
    { "w", "2", "2", ".",                    "W", "]", "]", "." },
    { "x", ",", ",", ",",                    "X", ",", ",", "," },
    { "y", "6", ".", "6",                    "Y", "%", ".", "%" },
    { "z", ".", "6", "2",                    "Z", ".", "%", "]" },
};
// clang-format on

enum class Layout { Qwerty, Qwertz, Azerty };

RefPtr<NSMutableDictionary> makeLetterTable(Layout layout)
{
    auto table = NSMutableDictionary::dictionary();
    for (const LetterRow& row : letterRows) {
        const char* lower = layout == Layout::Qwerty ? row.qwerty
            : layout == Layout::Qwertz               ? row.qwertz
                                                     : row.azerty;
        const char* upper = layout == Layout::Qwerty ? row.capitalQwerty
            : layout == Layout::Qwertz               ? row.capitalQwertz
                                                     : row.capitalAzerty;
        table->setObject(Value(NSString(lower)), row.letter);
        table->setObject(Value(NSString(upper)), row.capital);
    }
    return table;
}

} // namespace

void buildAlternateTables()
{
    gPunctuationVariants = makeTable({
        { ".", ellipsis },
        { ",", quotationMark },
        { "?", invertedQuestionMark },
        { "!", invertedExclamationMark },
        { apostrophe, graveAccent },
    });
    gEmailShiftedOverrides = makeTable({ { "!", noAlternate }, { ".", noAlternate } });
    gWebAlternateOverrides = makeTable({
        { "j", bullet },
        { "J", bullet },
        { "K", leftGuillemet },
        { "L", rightGuillemet },
        { "C", ellipsis },
        { ".", noAlternate },
    });
    gEmailAlternateOverrides = makeTable({ { "!", noAlternate } });
    gQwertyAlternates = makeLetterTable(Layout::Qwerty);
    gQwertzAlternates = makeLetterTable(Layout::Qwertz);
    gAzertyAlternates = makeLetterTable(Layout::Azerty);
}
