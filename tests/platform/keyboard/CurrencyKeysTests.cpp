#include "KeyboardTestSupport.h"

#include <string>

namespace keyboard_test {
namespace {

class CurrencyKeys : public KeyboardFixture {
protected:
    UIKBTree* keyplaneNamed(const char* name) const
    {
        return static_cast<UIKBTree*>(send(layout(), sel::keyplaneNamed, NSString(name)));
    }
    // Display and represented string of the first key of that name, joined.
    std::string sign(const char* keyplaneName, const char* keyName) const
    {
        RefPtr<NSMutableArray> keys
            = send(keyplaneNamed(keyplaneName), sel::keysByKeyName, NSString(keyName));
        if (!keys->count())
            return "(none)";
        NSMutableDictionary* properties = send(keys->objectAtIndex(0).object(), sel::properties);
        std::string display = properties->objectForKey("KBdisplayString").string().utf8();
        std::string represented = properties->objectForKey("KBrepresentedString").string().utf8();
        return display == represented ? display : display + "|" + represented;
    }
    std::string signs()
    {
        for (const char* name : { "Numbers-And-Punctuation", "Numbers-And-Punctuation-Alternate" })
            send(layout(), sel::setCurrencyKeysForCurrentLocaleOnKeyplane, keyplaneNamed(name));
        return sign("Numbers-And-Punctuation", "Primary-Currency-Sign") + " "
            + sign("Numbers-And-Punctuation-Alternate", "Alternate-Currency-Sign-1") + " "
            + sign("Numbers-And-Punctuation-Alternate", "Alternate-Currency-Sign-2") + " "
            + sign("Numbers-And-Punctuation-Alternate", "Alternate-Currency-Sign-3");
    }
};

TEST_F(CurrencyKeys, EachLocaleGetsItsOwnSignAndThreeOthers)
{
    struct Case {
        const char* locale;
        const char* expected;
    };
    for (const Case& each : { Case { "en_US", "$ € £ ¥" }, Case { "de_DE", "€ $ £ ¥" },
             Case { "fr_FR", "€ $ £ ¥" }, Case { "en_GB", "£ € $ ¥" }, Case { "ja_JP", "¥ € $ £" } }) {
        NSLocale::setCurrentLocaleIdentifier(each.locale);
        present(0);
        EXPECT_EQ(signs(), each.expected) << each.locale;
    }
}

TEST_F(CurrencyKeys, ALocaleChangeReachesKeysOfAKeyboardAlreadyBuilt)
{
    present(0);
    NSLocale::setCurrentLocaleIdentifier("en_GB");
    // Showing the numbers keyplane puts the locale's signs on it.
    tap("More-Key");
    EXPECT_EQ(sign("Numbers-And-Punctuation", "Primary-Currency-Sign"), "£");
    tap("Primary-Currency-Sign");
    EXPECT_EQ(input->text, "£");
}

TEST_F(CurrencyKeys, LocalesWithoutARegionHaveNoCurrencyKeys)
{
    for (const char* locale : { "en", "und" }) {
        NSLocale::setCurrentLocaleIdentifier(locale);
        present(0);
        EXPECT_EQ(signs(), "(none) (none) (none) (none)") << locale;
        // Other symbols stand where the currency keys would be.
        EXPECT_EQ(sign("Numbers-And-Punctuation", "Section-Sign"), "§");
        EXPECT_EQ(sign("Numbers-And-Punctuation-Alternate", "Degree-Sign"), "°");
        EXPECT_EQ(keyplaneNamed("Numbers-And-Punctuation")->keys()->count(),
            keyplaneNamed("Numbers-And-Punctuation-Alternate")->keys()->count());
    }
}

} // namespace
} // namespace keyboard_test
