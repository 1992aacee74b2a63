#include "ExtensionTestSupport.h"
#include "keyboard/GestureInput.h"
#include "platform/substrate/Substrate.h"

#include <map>

namespace {

using namespace extension_test;

class KeyplaneAugmentation : public KeyplaneRedrawFixture {
protected:
    // Every eligible key of the shown keyplane, by its represented string.
    std::map<std::string, UIKBTree*> charactersShown() const
    {
        std::map<std::string, UIKBTree*> found;
        for (const Value& entry : *send(keyplane(), sel::keys)) {
            int type = send(entry.object(), sel::displayType);
            if (type == 0 || type == 8)
                found.emplace(send(entry.object(), sel::representedString).utf8(),
                    static_cast<UIKBTree*>(entry.object()));
        }
        return found;
    }
};

TEST_F(KeyplaneAugmentation, LettersKeyplaneGetsOwnStringsAlternatesAndMarkers)
{
    startExtension();
    present();
    ASSERT_EQ(send(layout(), sel::keyplaneName).utf8(), "Small-Letters");
    EXPECT_EQ(keyplaneFlags(), (KeyplaneFlags { true, true, true }));

    UIKBTree* q = key("q");
    EXPECT_EQ(property(q, contract::ownStringEntry), "q");
    EXPECT_EQ(property(q, contract::alternateEntry), "1");
    EXPECT_EQ(property(q, contract::shiftLockedAlternateEntry), "1");
    EXPECT_EQ(property(q, "CorvaneProcessed"), "1");
    EXPECT_TRUE(send(q, sel::properties)->objectForKey("CorvaneProcessed").integer().isUnsigned);
    EXPECT_EQ(property(q, "CorvaneKPProcessed"), "2");
    EXPECT_EQ(property(q, "CorvaneLayoutProcessed"), "1");
    EXPECT_EQ(property(key("m"), contract::alternateEntry), "'");
    EXPECT_EQ(property(key("c"), contract::alternateEntry), "\u2026");
    // The locale's currency signs replace the placeholders.
    EXPECT_TRUE(extension.gCurrencyFilled);
    EXPECT_EQ(property(key("j"), contract::alternateEntry), "$");
    EXPECT_EQ(property(keyplane(), "CorvaneEnabledState"), "1");
    // Function keys are left alone.
    EXPECT_EQ(property(keyOn(keyplane(), "Space-Key"), contract::ownStringEntry), "(absent)");
    EXPECT_EQ(property(keyOn(keyplane(), "Delete-Key"), "CorvaneProcessed"), "(absent)");
}

TEST_F(KeyplaneAugmentation, CapitalLettersCarryShiftLockAlternates)
{
    startExtension();
    present();
    switchTo("Capital-Letters");
    UIKBTree* q = key("Q");
    EXPECT_EQ(property(q, contract::alternateEntry), "1");
    EXPECT_EQ(property(q, contract::shiftLockedAlternateEntry), "[");
    EXPECT_EQ(property(key("C"), contract::shiftLockedAlternateEntry), "\u2022");
    EXPECT_EQ(property(key("J"), contract::shiftLockedAlternateEntry), "\u20AC");
}

TEST_F(KeyplaneAugmentation, PunctuationKeyplaneTakesTheKeyAtTheSamePositionOnItsShiftAlternate)
{
    startExtension();
    present();
    switchTo("Numbers-And-Punctuation");
    EXPECT_EQ(keyplaneFlags(), (KeyplaneFlags { true, false, true }));
    EXPECT_EQ(property(key("1"), contract::alternateEntry), "[");
    EXPECT_EQ(property(key("0"), contract::alternateEntry), "=");
    EXPECT_EQ(property(key("-"), contract::alternateEntry), "_");
    EXPECT_EQ(property(key("$"), contract::alternateEntry), "\u20AC");
    EXPECT_EQ(property(key("1"), contract::shiftLockedAlternateEntry), "(absent)");
    // "." is "." on both keyplanes, so only the punctuation variant is left.
    EXPECT_EQ(property(key("."), contract::alternateEntry), "\u2026");
    EXPECT_EQ(property(key("'"), contract::alternateEntry), "`");

    switchTo("Numbers-And-Punctuation-Alternate");
    EXPECT_EQ(property(key("["), contract::alternateEntry), "1");
    EXPECT_EQ(property(key("\u2022"), contract::alternateEntry), "\"");
}

TEST_F(KeyplaneAugmentation, EmailAndWebKeyboardsApplyTheirOverrides)
{
    startExtension();
    present(7);
    EXPECT_EQ(extension.keyboardKind, KeyboardKind::EmailAddress);
    EXPECT_EQ(property(key("j"), contract::alternateEntry), "\u2022");
    EXPECT_EQ(property(key("q"), contract::alternateEntry), "1");
    EXPECT_EQ(property(key("@"), contract::ownStringEntry), "@");
    EXPECT_EQ(property(key("."), contract::alternateEntry), "(absent)");
    EXPECT_EQ(property(key("@"), "CorvaneProcessed"), "3");
    switchTo("Numbers-And-Punctuation");
    EXPECT_EQ(property(key("!"), contract::alternateEntry), "(absent)");
    EXPECT_EQ(property(key("."), contract::alternateEntry), "(absent)");

    // A standard keyboard, then a web-address keyboard: the kind changes and
    // the letters are processed again.
    present(0);
    EXPECT_EQ(property(key("j"), contract::alternateEntry), "$");
    present(3);
    EXPECT_EQ(extension.keyboardKind, KeyboardKind::WebAddress);
    EXPECT_EQ(property(key("j"), contract::alternateEntry), "\u2022");
    switchTo("Capital-Letters");
    EXPECT_EQ(property(key("K"), contract::shiftLockedAlternateEntry), "\u00AB");
    // The ".com" key is marked off and never touched.
    UIKBTree* topLevelDomain = keyOn(keyplane(), "Top-Level-Domain-Key");
    ASSERT_TRUE(topLevelDomain);
    EXPECT_EQ(property(topLevelDomain, contract::ownStringEntry), "(absent)");
}

TEST_F(KeyplaneAugmentation, ShiftedModeTakesTheKeyAtTheSamePositionOnTheShiftAlternate)
{
    startExtension(1);
    present();
    EXPECT_EQ(keyplaneFlags(), (KeyplaneFlags { true, false, false }));
    EXPECT_EQ(property(key("q"), contract::alternateEntry), "Q");
    EXPECT_EQ(property(key("q"), contract::shiftLockedAlternateEntry), "(absent)");
    EXPECT_EQ(property(key("q"), "CorvaneKPProcessed"), "1");
    // The capitals' counterparts are the small letters.
    switchTo("Capital-Letters");
    EXPECT_EQ(property(key("Q"), contract::alternateEntry), "q");
    // The numbers keyplanes show their alternates in this mode too.
    switchTo("Numbers-And-Punctuation");
    EXPECT_TRUE(keyplaneFlags().showAlternateLabels);
    EXPECT_EQ(property(key("1"), contract::alternateEntry), "[");
    EXPECT_EQ(property(key(","), contract::alternateEntry), "\"");
}

TEST_F(KeyplaneAugmentation, RepeatedSwitchTouchesNoKeyButEndsTheGestureAndRedraws)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    // Marked by hand: a key processed again would get its real alternate back.
    send(q, sel::properties)->setObject(NSString("marked"), contract::alternateEntry);
    extension.gesture.trackKey(q, { 10, 20 });
    extension.gesture.showAlternate(q, NSString("1"), nullptr);
    keyplaneRedraws = 0;

    switchTo("Small-Letters");
    EXPECT_EQ(property(q, contract::alternateEntry), "marked");
    EXPECT_TRUE(nothingTracked());
    EXPECT_FALSE(alternateShown());
    // The platform's own request and the extension's.
    EXPECT_EQ(keyplaneRedraws, 2);
}

TEST_F(KeyplaneAugmentation, ModeChangeReprocessesEveryKey)
{
    startExtension(2);
    present();
    auto before = charactersShown();
    useSettings(1, 0);
    switchTo("Small-Letters");
    EXPECT_EQ(keyplaneFlags(), (KeyplaneFlags { true, false, false }));
    for (const auto& [represented, shownKey] : charactersShown())
        EXPECT_EQ(property(shownKey, "CorvaneKPProcessed"), "1") << represented;
    EXPECT_EQ(property(key("q"), contract::alternateEntry), "Q");
    // Written under the old mode, left in place and no longer read.
    EXPECT_EQ(property(key("q"), contract::shiftLockedAlternateEntry), "1");
    EXPECT_EQ(before.size(), charactersShown().size());
}

TEST_F(KeyplaneAugmentation, UnsupportedKeyboardTypesAreLeftToThePlatform)
{
    startExtension();
    for (int type : { 4, 5, 259 }) {
        keyplaneRedraws = 0;
        present(type);
        EXPECT_FALSE(keyplaneFlags().augmentationActive) << type;
        // Only the platform's own redraw request.
        EXPECT_EQ(keyplaneRedraws, 1) << type;
        for (const Value& entry : *send(keyplane(), sel::keys))
            EXPECT_EQ(property(entry.object(), contract::ownStringEntry), "(absent)") << type;
    }
}

TEST_F(KeyplaneAugmentation, NothingHappensBeforeTheSettingsAreRead)
{
    initializeExtension();
    extension.gSettingsLoaded = false;
    present();
    EXPECT_FALSE(keyplaneFlags().augmentationActive);
    EXPECT_EQ(property(key("q"), contract::ownStringEntry), "(absent)");
    EXPECT_EQ(property(keyplane(), "CorvaneEnabledState"), "0");
}

TEST_F(KeyplaneAugmentation, CurrencyFillIsRetriedUntilALocaleHasASign)
{
    // A locale without a region has no currency keys: "j" has no alternate.
    NSLocale::setCurrentLocaleIdentifier("en");
    startExtension();
    present();
    EXPECT_FALSE(extension.gCurrencyFilled);
    EXPECT_EQ(property(key("j"), contract::alternateEntry), "(absent)");
    EXPECT_EQ(property(key("k"), contract::alternateEntry), "&");

    NSLocale::setCurrentLocaleIdentifier("en_GB");
    present();
    EXPECT_TRUE(extension.gCurrencyFilled);
    EXPECT_EQ(property(key("j"), contract::alternateEntry), "\u00A3");
}

// Counts the currency fills: the platform sets the currency keys of the
// keyplane it switches to, the fill those of both numbers keyplanes.
int numbersKeyplaneCurrencySettings = 0;
decltype(sel::setCurrencyKeysForCurrentLocaleOnKeyplane)::Implementation platformSetCurrencyKeys = nullptr;
void countingSetCurrencyKeys(NSObject* self, NSObject* keyplane)
{
    if (send(keyplane, sel::name).utf8().starts_with("Numbers-"))
        ++numbersKeyplaneCurrencySettings;
    callImplementation(platformSetCurrencyKeys, self, keyplane);
}

TEST_F(KeyplaneAugmentation, CurrencySignsAreFilledOnceWhileTheLocaleStays)
{
    MSHookMessageEx(UIKeyboardLayoutStar::staticClass(), sel::setCurrencyKeysForCurrentLocaleOnKeyplane,
        countingSetCurrencyKeys, &platformSetCurrencyKeys);
    startExtension();
    numbersKeyplaneCurrencySettings = 0;
    present();
    EXPECT_EQ(numbersKeyplaneCurrencySettings, 2);
    switchTo("Capital-Letters");
    switchTo("Small-Letters");
    present(3);
    EXPECT_EQ(numbersKeyplaneCurrencySettings, 2);
    // Setting the same locale again is no change.
    NSLocale::setCurrentLocaleIdentifier("en_US");
    present();
    EXPECT_EQ(numbersKeyplaneCurrencySettings, 2);
    EXPECT_EQ(property(key("j"), contract::alternateEntry), "$");
}

// The fill sets both numbers keyplanes, and a switch to one of them its own
// currency keys; its shift-alternate's are set only where they show or type
// signs other than the locale's.
TEST_F(KeyplaneAugmentation, ShiftAlternateCurrencyKeysAreSetOnlyWhereTheyShowOtherSigns)
{
    MSHookMessageEx(UIKeyboardLayoutStar::staticClass(), sel::setCurrencyKeysForCurrentLocaleOnKeyplane,
        countingSetCurrencyKeys, &platformSetCurrencyKeys);
    startExtension();
    numbersKeyplaneCurrencySettings = 0;
    present(0, portraitWindow, "QWERTY");
    ASSERT_EQ(numbersKeyplaneCurrencySettings, 2);
    switchTo("Numbers-And-Punctuation");
    EXPECT_EQ(numbersKeyplaneCurrencySettings, 3);
    EXPECT_EQ(property(key("$"), contract::alternateEntry), "\u20AC");

    // A keyboard kept from an earlier locale shows that locale's signs, even
    // once another keyboard has had the new ones filled in.
    switchTo("Small-Letters");
    NSLocale::setCurrentLocaleIdentifier("de_DE");
    present(3, portraitWindow, "QWERTY");
    ASSERT_TRUE(extension.gCurrencyFilled);
    present(0, portraitWindow, "QWERTY");
    numbersKeyplaneCurrencySettings = 0;
    switchTo("Numbers-And-Punctuation");
    EXPECT_EQ(numbersKeyplaneCurrencySettings, 2);
    EXPECT_EQ(property(key("\u20AC"), contract::alternateEntry), "$");

    // A sign key that shows the sign but types another string is set again.
    presenter = std::make_unique<SystemKeyboardPresenter>();
    present();
    UIKBTree* symbols = keyplaneNamed("Numbers-And-Punctuation-Alternate");
    send(keyOn(symbols, "Alternate-Currency-Sign-1"), sel::setRepresentedString, NSString("X"));
    numbersKeyplaneCurrencySettings = 0;
    switchTo("Numbers-And-Punctuation");
    EXPECT_EQ(numbersKeyplaneCurrencySettings, 2);
    EXPECT_EQ(property(key("\u20AC"), contract::alternateEntry), "$");
}

TEST_F(KeyplaneAugmentation, LocaleChangeBringsTheNewCurrencySignsToEveryKeyplane)
{
    NSLocale::setCurrentLocaleIdentifier("en_GB");
    startExtension();
    present();
    UIKBTree* j = key("j");
    EXPECT_EQ(property(j, contract::alternateEntry), "\u00A3");
    switchTo("Numbers-And-Punctuation");
    EXPECT_EQ(property(key("\u00A3"), contract::ownStringEntry), "\u00A3");

    // The same keyboard, its keys already processed, under a new locale.
    NSLocale::setCurrentLocaleIdentifier("ja_JP");
    EXPECT_FALSE(extension.gCurrencyFilled);
    switchTo("Small-Letters");
    EXPECT_EQ(key("j"), j);
    EXPECT_EQ(property(j, contract::alternateEntry), "\u00A5");
    switchTo("Capital-Letters");
    EXPECT_EQ(property(key("J"), contract::shiftLockedAlternateEntry), "\u20AC");
    EXPECT_EQ(property(key("L"), contract::shiftLockedAlternateEntry), "\u00A3");
    // The numbers keyplane's own currency key keeps the new sign as its own.
    switchTo("Numbers-And-Punctuation");
    EXPECT_EQ(property(key("\u00A5"), contract::ownStringEntry), "\u00A5");
    EXPECT_EQ(property(keyplane(), "CorvaneLocaleProcessed"), "1");
}

TEST_F(KeyplaneAugmentation, LetterLayoutIsDetectedOnLettersKeyplanes)
{
    startExtension();
    present(0, portraitWindow, "QWERTZ");
    EXPECT_EQ(extension.keyboardLayout, LetterLayout::QWERTZ);
    EXPECT_EQ(property(key("z"), contract::alternateEntry), "6");
    EXPECT_EQ(property(key("y"), contract::alternateEntry), ".");
    EXPECT_EQ(property(key("z"), "CorvaneLayoutProcessed"), "2");
    switchTo("Numbers-And-Punctuation");
    EXPECT_EQ(extension.keyboardLayout, LetterLayout::QWERTY);

    present(0, portraitWindow, "AZERTY");
    EXPECT_EQ(extension.keyboardLayout, LetterLayout::AZERTY);
    EXPECT_EQ(property(key("a"), contract::alternateEntry), "1");
    EXPECT_EQ(property(key("q"), contract::alternateEntry), "-");
    EXPECT_EQ(property(key("m"), contract::alternateEntry), "\"");
    EXPECT_EQ(property(key("n"), contract::alternateEntry), "'");

    present(0, landscapeWindow, "QWERTY");
    EXPECT_EQ(extension.keyboardLayout, LetterLayout::QWERTY);
    EXPECT_EQ(property(key("y"), contract::alternateEntry), "6");
}

// A language's keyboard is detected as the layout it builds on. Its own
// letters have no entry in that layout's table, so they get no alternate; the
// table's letters keep theirs whatever their row's length.
TEST_F(KeyplaneAugmentation, LanguageKeyboardsKeepTheirLayoutsAlternatesAndTheirOwnLettersHaveNone)
{
    struct Case {
        const char* letterLayout;
        LetterLayout detected;
        std::vector<const char*> ownLetters;
    };
    startExtension();
    for (const Case& each : { Case { "German", LetterLayout::QWERTZ, { "ü", "ö", "ä" } },
             Case { "Spanish", LetterLayout::QWERTY, { "ñ" } },
             Case { "Swedish", LetterLayout::QWERTY, { "å", "ö", "ä" } },
             Case { "Norwegian", LetterLayout::QWERTY, { "å", "ø", "æ" } } }) {
        SCOPED_TRACE(each.letterLayout);
        present(0, portraitWindow, each.letterLayout);
        EXPECT_EQ(extension.keyboardLayout, each.detected);
        bool qwertz = each.detected == LetterLayout::QWERTZ;
        EXPECT_EQ(property(key("p"), contract::alternateEntry), "0");
        EXPECT_EQ(property(key("l"), contract::alternateEntry), "@");
        EXPECT_EQ(property(key(qwertz ? "z" : "y"), contract::alternateEntry), "6");
        EXPECT_EQ(property(key("m"), contract::alternateEntry), "'");
        for (const char* own : each.ownLetters) {
            EXPECT_EQ(property(key(own), contract::alternateEntry), "(absent)") << own;
            EXPECT_EQ(property(key(own), contract::ownStringEntry), own);
        }
        switchTo("Capital-Letters");
        send(impl(), sel::setShiftLocked, true);
        EXPECT_EQ(property(key("P"), contract::shiftLockedAlternateEntry), "=");
        std::string ownCapital = NSString(each.ownLetters.front()).uppercaseString().utf8();
        EXPECT_EQ(property(key(ownCapital.c_str()), contract::shiftLockedAlternateEntry), "(absent)");
        send(impl(), sel::setShiftLocked, false);
    }
}

TEST_F(KeyplaneAugmentation, KeyWithoutAStringLosesItsAlternatesAndKeepsItsMarkers)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    send(q, sel::properties)->removeObjectForKey("KBrepresentedString");
    useSettings(1, 0);
    switchTo("Small-Letters");
    EXPECT_EQ(property(q, contract::ownStringEntry), "(absent)");
    EXPECT_EQ(property(q, contract::alternateEntry), "(absent)");
    EXPECT_EQ(property(q, contract::shiftLockedAlternateEntry), "(absent)");
    EXPECT_EQ(property(q, "CorvaneKPProcessed"), "2");
}

TEST_F(KeyplaneAugmentation, UnknownOrMissingKeyplaneNamesAreHarmless)
{
    startExtension();
    present();
    keyplaneRedraws = 0;
    switchTo("No-Such-Keyplane");
    EXPECT_FALSE(keyplaneFlags().augmentationActive);
    EXPECT_EQ(send(layout(), sel::keyplaneName).utf8(), "Small-Letters");
    EXPECT_EQ(keyplaneRedraws, 1);

    send(layout(), sel::setKeyplaneName, NSString());
    EXPECT_FALSE(keyplaneFlags().augmentationActive);
    EXPECT_EQ(keyplaneRedraws, 1);
}

TEST_F(KeyplaneAugmentation, SwitchWithoutAnActiveKeyboardIsHarmless)
{
    startExtension();
    present();
    RefPtr<UIKeyboardLayoutStar> detached(layout());
    presenter->dismissKeyboard();
    // No active keyboard: its type reads as 0, the standard keyboard.
    send(detached.get(), sel::setKeyplaneName, NSString("Numbers-And-Punctuation"));
    EXPECT_TRUE(keyplaneFlags().augmentationActive);
    EXPECT_EQ(send(detached.get(), sel::keyplaneName).utf8(), "Numbers-And-Punctuation");
}

} // namespace
