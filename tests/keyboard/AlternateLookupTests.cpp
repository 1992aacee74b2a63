#include "keyboard/AlternateLookup.h"
#include "keyboard/AlternateTables.h"
#include "keyboard/ExtensionState.h"

#include <gtest/gtest.h>

namespace {

constexpr KeyboardKind standardKind = KeyboardKind::Standard;
constexpr KeyboardKind webKind = KeyboardKind::WebAddress;
constexpr KeyboardKind emailKind = KeyboardKind::EmailAddress;
constexpr LetterLayout qwerty = LetterLayout::QWERTY;
constexpr LetterLayout qwertz = LetterLayout::QWERTZ;
constexpr LetterLayout azerty = LetterLayout::AZERTY;

// Letter-table and override lookups, which need no keyplane: with no
// shift-alternate keyplane the key's position never matters.
class AlternateLookup : public testing::Test {
protected:
    void SetUp() override
    {
        resetExtensionStateForTesting();
        extension.gTypeMode = TypeMode::AlternateKey;
    }

    static std::string alternate(const char* represented, KeyboardKind kind = standardKind,
        LetterLayout layout = qwerty, bool lettersKeyplane = true, bool shiftLock = false)
    {
        NSString result = lookupAlternateString(
            nullptr, nullptr, nullptr, NSString(represented), lettersKeyplane, shiftLock, kind, layout);
        return result.isNil() ? std::string("(nothing)") : result.utf8();
    }
};

TEST_F(AlternateLookup, QwertyLettersFollowTheirPosition)
{
    EXPECT_EQ(alternate("q"), "1");
    EXPECT_EQ(alternate("p"), "0");
    EXPECT_EQ(alternate("a"), "-");
    EXPECT_EQ(alternate("k"), "&");
    EXPECT_EQ(alternate("c"), "\u2026");
    EXPECT_EQ(alternate("n"), "\"");
    EXPECT_EQ(alternate("m"), "'");
}

TEST_F(AlternateLookup, CapitalsAreLookedUpInLowerCaseUnlessShiftLocked)
{
    EXPECT_EQ(alternate("Q"), "1");
    EXPECT_EQ(alternate("Q", standardKind, qwerty, true, true), "[");
    EXPECT_EQ(alternate("C", standardKind, qwerty, true, true), "\u2022");
    EXPECT_EQ(alternate("S", standardKind, qwerty, true, true), "\\");
    EXPECT_EQ(alternate("D", standardKind, qwerty, true, true), "|");
}

TEST_F(AlternateLookup, QwertzAndAzertyMoveTheLettersThatMove)
{
    EXPECT_EQ(alternate("z", standardKind, qwertz), "6");
    EXPECT_EQ(alternate("y", standardKind, qwertz), ".");
    EXPECT_EQ(alternate("Z", standardKind, qwertz, true, true), "%");
    EXPECT_EQ(alternate("a", standardKind, azerty), "1");
    EXPECT_EQ(alternate("q", standardKind, azerty), "-");
    EXPECT_EQ(alternate("z", standardKind, azerty), "2");
    EXPECT_EQ(alternate("w", standardKind, azerty), ".");
    EXPECT_EQ(alternate("m", standardKind, azerty), "\"");
    EXPECT_EQ(alternate("n", standardKind, azerty), "'");
    EXPECT_EQ(alternate("Q", standardKind, azerty, true, true), "_");
}

TEST_F(AlternateLookup, EmailKeyboardOverridesStopTheLookupWithNoAlternate)
{
    // The e-mail override wins over the punctuation variant of "!".
    EXPECT_EQ(alternate("!", emailKind, qwerty, false), "");
    EXPECT_EQ(alternate("!", standardKind, qwerty, false), "\u00A1");
    // "." has no alternate on web-address and e-mail keyboards.
    EXPECT_EQ(alternate(".", emailKind, qwerty, false), "");
    EXPECT_EQ(alternate(".", webKind, qwerty, false), "");
    EXPECT_EQ(alternate(".", standardKind, qwerty, false), "\u2026");
}

TEST_F(AlternateLookup, WebAddressKeyboardReplacesCurrencyAndQuotes)
{
    EXPECT_EQ(alternate("j", webKind), "\u2022");
    EXPECT_EQ(alternate("K", webKind, qwerty, true, true), "\u00AB");
    EXPECT_EQ(alternate("L", webKind, qwerty, true, true), "\u00BB");
    EXPECT_EQ(alternate("C", webKind, qwerty, true, true), "\u2026");
    // Without shift lock "K" is looked up as "k", which has no override.
    EXPECT_EQ(alternate("K", webKind), "&");
}

TEST_F(AlternateLookup, ShiftedModeUsesOnlyTheEmailOverridesAndPunctuation)
{
    extension.gTypeMode = TypeMode::ShiftedKey;
    EXPECT_EQ(alternate("!", emailKind, qwerty, false), "");
    EXPECT_EQ(alternate(".", emailKind, qwerty, false), "");
    EXPECT_EQ(alternate(".", standardKind, qwerty, false), "\u2026");
    EXPECT_EQ(alternate(",", standardKind, qwerty, false), "\"");
    EXPECT_EQ(alternate("'", standardKind, qwerty, false), "`");
    EXPECT_EQ(alternate("?", standardKind, qwerty, false), "\u00BF");
    // The letter tables belong to "Alternate key" mode.
    EXPECT_EQ(alternate("q"), "(nothing)");
    EXPECT_EQ(alternate("j", webKind), "(nothing)");
}

TEST_F(AlternateLookup, CurrencyPlaceholdersStandUntilTheFirstFill)
{
    EXPECT_EQ(alternate("j"), "CUR");
    EXPECT_EQ(alternate("J", standardKind, qwerty, true, true), "CURAlt1");
    EXPECT_EQ(alternate("K", standardKind, azerty, true, true), "CURAlt2");
    EXPECT_EQ(alternate("L", standardKind, qwertz, true, true), "CURAlt3");
    EXPECT_FALSE(extension.gCurrencyFilled);
}

TEST_F(AlternateLookup, FillWithoutAKeyboardEmptiesThePlaceholdersAndStaysUnfilled)
{
    fillCurrencySigns(nullptr);
    EXPECT_EQ(alternate("j"), "");
    EXPECT_EQ(alternate("J", standardKind, qwertz, true, true), "");
    EXPECT_FALSE(extension.gCurrencyFilled);
}

TEST_F(AlternateLookup, OutsideLettersKeyplanesTheStringIsLookedUpAsItIs)
{
    EXPECT_EQ(alternate("Q", standardKind, qwerty, false), "[");
    EXPECT_EQ(alternate("#", standardKind, qwerty, false), "(nothing)");
}

} // namespace
