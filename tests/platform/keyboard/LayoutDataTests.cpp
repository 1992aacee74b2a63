#include "platform/keyboard/KeyboardLayoutBuilder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<KeyboardConfiguration> everyConfiguration()
{
    std::vector<KeyboardConfiguration> configurations;
    for (bool landscape : { false, true }) {
        for (const KeyboardLetterLayout& letters : keyboardLetterLayouts()) {
            const KeyboardLetterLayout* layout = &letters;
            for (auto kind : { KeyboardTreeKind::Standard, KeyboardTreeKind::WebAddress,
                     KeyboardTreeKind::EmailAddress }) {
                for (bool currency : { true, false })
                    configurations.push_back({ kind, layout, landscape, currency });
            }
        }
        configurations.push_back({ KeyboardTreeKind::NumberPad, &defaultLetterLayout(), landscape, true });
        configurations.push_back({ KeyboardTreeKind::PhonePad, &defaultLetterLayout(), landscape, true });
    }
    return configurations;
}

std::string describe(const KeyboardConfiguration& configuration)
{
    return std::string(configuration.letterLayout->name) + " kind "
        + std::to_string(static_cast<int>(configuration.kind))
        + (configuration.landscape ? " landscape" : " portrait")
        + (configuration.withCurrencyKeys ? "" : " no currency");
}

RefPtr<UIKBTree> build(const KeyboardConfiguration& configuration)
{
    return buildKeyboardTree(configuration, CurrencySigns::forLocale("en_US"));
}

std::vector<UIKBTree*> nodes(NSMutableArray* array)
{
    std::vector<UIKBTree*> result;
    for (const Value& value : *array)
        result.push_back(static_cast<UIKBTree*>(value.object()));
    return result;
}

UIKBTree* keyplaneNamed(UIKBTree* keyboard, const char* name)
{
    for (UIKBTree* keyplane : nodes(keyboard->subtrees())) {
        if (keyplane->name().isEqualToString(name))
            return keyplane;
    }
    return nullptr;
}

// The represented strings of one row of a keyplane's key set.
std::string rowString(UIKBTree* keyplane, std::size_t rowIndex)
{
    UIKBTree* keySet = nullptr;
    for (UIKBTree* subtree : nodes(keyplane->subtrees())) {
        if (subtree->keySet())
            keySet = static_cast<UIKBTree*>(subtree->keySet());
    }
    std::string row;
    auto* rowNode = static_cast<UIKBTree*>(keySet->subtrees()->objectAtIndex(rowIndex).object());
    for (UIKBTree* key : nodes(rowNode->keys())) {
        if (key->displayType() == UIKBKeyDisplayTypeString)
            row += key->representedString().utf8();
    }
    return row;
}

bool overlaps(CGRect a, CGRect b)
{
    return a.minX() < b.maxX() && b.minX() < a.maxX() && a.minY() < b.maxY() && b.minY() < a.maxY();
}

TEST(KeyboardLayoutData, EveryKeyLiesInsideTheKeyboardWithItsCapInsideItsTouchArea)
{
    for (const KeyboardConfiguration& configuration : everyConfiguration()) {
        SCOPED_TRACE(describe(configuration));
        RefPtr<UIKBTree> keyboard = build(configuration);
        CGRect bounds = keyboard->frame();
        EXPECT_EQ(bounds.size, keyboardSize(configuration.landscape));
        for (UIKBTree* keyplane : nodes(keyboard->subtrees())) {
            SCOPED_TRACE(keyplane->name().utf8());
            ASSERT_GT(keyplane->keys()->count(), 0u);
            for (UIKBTree* key : nodes(keyplane->keys())) {
                // The padded frame is the cap drawn; the frame, where touches find the key.
                CGRect cap = key->paddedFrame();
                CGRect touchArea = key->frame();
                EXPECT_FALSE(cap.isEmpty()) << key->name().utf8();
                EXPECT_GE(touchArea.minX(), 0);
                EXPECT_GE(touchArea.minY(), 0);
                EXPECT_LE(touchArea.maxX(), bounds.maxX() + 0.01f);
                EXPECT_LE(touchArea.maxY(), bounds.maxY() + 0.01f);
                EXPECT_TRUE(cap.minX() >= touchArea.minX() && cap.maxX() <= touchArea.maxX() + 0.01f
                    && cap.minY() >= touchArea.minY() && cap.maxY() <= touchArea.maxY())
                    << key->name().utf8();
            }
        }
    }
}

TEST(KeyboardLayoutData, TouchAreasNeitherOverlapNorLeaveGapsOnAlphabeticKeyboards)
{
    for (const KeyboardConfiguration& configuration : everyConfiguration()) {
        SCOPED_TRACE(describe(configuration));
        RefPtr<UIKBTree> keyboard = build(configuration);
        bool pad = configuration.kind == KeyboardTreeKind::NumberPad
            || configuration.kind == KeyboardTreeKind::PhonePad;
        for (UIKBTree* keyplane : nodes(keyboard->subtrees())) {
            std::vector<UIKBTree*> keys = nodes(keyplane->keys());
            for (std::size_t i = 0; i < keys.size(); ++i) {
                for (std::size_t j = i + 1; j < keys.size(); ++j)
                    EXPECT_FALSE(overlaps(keys[i]->frame(), keys[j]->frame()))
                        << keys[i]->name().utf8() << " and " << keys[j]->name().utf8();
            }
            if (pad)
                continue;
            // Every point of the keyboard belongs to exactly one key.
            CGRect bounds = keyboard->frame();
            for (CGFloat y = 0.5f; y < bounds.height(); y += 3) {
                for (CGFloat x = 0.5f; x < bounds.width(); x += 3) {
                    int hits = 0;
                    for (UIKBTree* key : keys)
                        hits += key->frame().contains({ x, y });
                    ASSERT_EQ(hits, 1) << keyplane->name().utf8() << " at " << x << "," << y;
                }
            }
        }
    }
}

TEST(KeyboardLayoutData, ShiftAlternateKeyplanesCorrespondKeyByKey)
{
    for (const KeyboardConfiguration& configuration : everyConfiguration()) {
        SCOPED_TRACE(describe(configuration));
        RefPtr<UIKBTree> keyboard = build(configuration);
        for (UIKBTree* keyplane : nodes(keyboard->subtrees())) {
            NSString alternateName = keyplane->shiftAlternateKeyplaneName();
            if (alternateName.isNil())
                continue;
            UIKBTree* alternate = keyplaneNamed(keyboard.get(), alternateName.utf8().c_str());
            ASSERT_TRUE(alternate) << alternateName.utf8();
            EXPECT_TRUE(alternate->shiftAlternateKeyplaneName().isEqualToString(keyplane->name()));
            std::vector<UIKBTree*> keys = nodes(keyplane->keys());
            std::vector<UIKBTree*> counterparts = nodes(alternate->keys());
            ASSERT_EQ(keys.size(), counterparts.size());
            for (std::size_t index = 0; index < keys.size(); ++index) {
                EXPECT_EQ(keys[index]->frame(), counterparts[index]->frame());
                EXPECT_EQ(keys[index]->displayType(), counterparts[index]->displayType());
                if (keys[index]->displayType() != UIKBKeyDisplayTypeString) {
                    EXPECT_TRUE(keys[index]->name().isEqualToString(counterparts[index]->name()));
                }
            }
        }
    }
}

TEST(KeyboardLayoutData, LettersSitWhereEachLayoutPutsThem)
{
    struct Expected {
        const char* layout;
        const char* rows[3];
    };
    for (const Expected& expected : {
             Expected { "QWERTY", { "qwertyuiop", "asdfghjkl", "zxcvbnm" } },
             Expected { "QWERTZ", { "qwertzuiop", "asdfghjkl", "yxcvbnm" } },
             Expected { "AZERTY", { "azertyuiop", "qsdfghjklm", "wxcvbn'" } },
             // A language's letters end the rows of the layout it builds on.
             Expected { "German", { "qwertzuiopü", "asdfghjklöä", "yxcvbnm" } },
             Expected { "Spanish", { "qwertyuiop", "asdfghjklñ", "zxcvbnm" } },
             Expected { "Swedish", { "qwertyuiopå", "asdfghjklöä", "zxcvbnm" } },
             Expected { "Finnish", { "qwertyuiopå", "asdfghjklöä", "zxcvbnm" } },
             Expected { "Danish", { "qwertyuiopå", "asdfghjklæø", "zxcvbnm" } },
             Expected { "Norwegian", { "qwertyuiopå", "asdfghjkløæ", "zxcvbnm" } },
         }) {
        SCOPED_TRACE(expected.layout);
        for (bool landscape : { false, true }) {
            RefPtr<UIKBTree> keyboard
                = build({ KeyboardTreeKind::Standard, findLetterLayout(expected.layout), landscape, true });
            UIKBTree* small = keyplaneNamed(keyboard.get(), "Small-Letters");
            UIKBTree* capital = keyplaneNamed(keyboard.get(), "Capital-Letters");
            for (std::size_t row = 0; row < 3; ++row) {
                EXPECT_EQ(rowString(small, row), expected.rows[row]);
                std::string upper = NSString(expected.rows[row]).uppercaseString().utf8();
                EXPECT_EQ(rowString(capital, row), upper);
            }
        }
    }
}

// Shift changes what the letter keys type, not what their caps show.
TEST(KeyboardLayoutData, LetterCapsShowCapitalsOnBothLettersKeyplanes)
{
    for (const KeyboardConfiguration& configuration : everyConfiguration()) {
        SCOPED_TRACE(describe(configuration));
        RefPtr<UIKBTree> keyboard = build(configuration);
        UIKBTree* small = keyplaneNamed(keyboard.get(), "Small-Letters");
        UIKBTree* capital = keyplaneNamed(keyboard.get(), "Capital-Letters");
        if (!small)
            continue;
        std::vector<UIKBTree*> keys = nodes(small->keys());
        std::vector<UIKBTree*> counterparts = nodes(capital->keys());
        for (std::size_t index = 0; index < keys.size(); ++index) {
            NSString shown = keys[index]->properties()->objectForKey(UIKBProperty::displayString).string();
            NSString shownShifted
                = counterparts[index]->properties()->objectForKey(UIKBProperty::displayString).string();
            EXPECT_TRUE(shown.isEqualToString(shownShifted)) << shown.utf8() << " " << shownShifted.utf8();
            if (keys[index]->displayType() == UIKBKeyDisplayTypeString) {
                EXPECT_EQ(shown.utf8(), keys[index]->representedString().uppercaseString().utf8());
            }
        }
    }
    // Keys of a fixed string show it as it is.
    RefPtr<UIKBTree> web = build({ KeyboardTreeKind::WebAddress, &defaultLetterLayout(), false, true });
    for (UIKBTree* key : nodes(keyplaneNamed(web.get(), "Small-Letters")->keys())) {
        if (key->name().isEqualToString("Top-Level-Domain-Key")) {
            EXPECT_EQ(key->properties()->objectForKey(UIKBProperty::displayString).string().utf8(), ".com");
        }
    }
}

TEST(KeyboardLayoutData, NumbersAndSymbolsCorrespondByPosition)
{
    RefPtr<UIKBTree> keyboard = build({});
    UIKBTree* numbers = keyplaneNamed(keyboard.get(), "Numbers-And-Punctuation");
    UIKBTree* symbols = keyplaneNamed(keyboard.get(), "Numbers-And-Punctuation-Alternate");
    EXPECT_EQ(rowString(numbers, 0), "1234567890");
    EXPECT_EQ(rowString(symbols, 0), "[]{}#%^*+=");
    EXPECT_EQ(rowString(numbers, 1), "-/:;()$&@\"");
    EXPECT_EQ(rowString(symbols, 1), "_\\|~<>€£¥•");
    EXPECT_EQ(rowString(numbers, 2), ".,?!'");
    EXPECT_EQ(rowString(symbols, 2), ".,?!'");
    EXPECT_EQ(numbers->keys()->count(), symbols->keys()->count());
}

TEST(KeyboardLayoutData, KeysAreNamedAfterTheirCharacters)
{
    RefPtr<UIKBTree> keyboard = build({});
    UIKBTree* small = keyplaneNamed(keyboard.get(), "Small-Letters");
    UIKBTree* numbers = keyplaneNamed(keyboard.get(), "Numbers-And-Punctuation");
    for (const char* name : { "Latin-Small-Letter-Q", "Shift-Key", "Delete-Key", "More-Key",
             "International-Key", "Space-Key", "Return-Key" })
        EXPECT_EQ(small->keysByKeyName(name)->count(), 1u) << name;
    EXPECT_EQ(
        keyplaneNamed(keyboard.get(), "Capital-Letters")->keysByKeyName("Latin-Capital-Letter-Q")->count(),
        1u);
    for (const char* name : { "Digit-One", "Hyphen-Minus", "Quotation-Mark", "Primary-Currency-Sign" })
        EXPECT_EQ(numbers->keysByKeyName(name)->count(), 1u) << name;
    // A new array each time, from the one stable key list.
    EXPECT_NE(small->keysByKeyName("Shift-Key").get(), small->keysByKeyName("Shift-Key").get());
    EXPECT_EQ(small->keys(), small->keys());
    EXPECT_EQ(small->keysByKeyName("No-Such-Key")->count(), 0u);
}

TEST(KeyboardLayoutData, FunctionKeysAreNotCharacterKeys)
{
    RefPtr<UIKBTree> keyboard = build({});
    UIKBTree* small = keyplaneNamed(keyboard.get(), "Small-Letters");
    auto typeOf = [&](const char* name) {
        return static_cast<UIKBTree*>(small->keysByKeyName(name)->objectAtIndex(0).object())->displayType();
    };
    EXPECT_EQ(typeOf("Latin-Small-Letter-Q"), UIKBKeyDisplayTypeString);
    for (const char* name :
        { "Shift-Key", "Delete-Key", "More-Key", "International-Key", "Space-Key", "Return-Key" }) {
        int type = typeOf(name);
        EXPECT_NE(type, UIKBKeyDisplayTypeString) << name;
        EXPECT_NE(type, UIKBKeyDisplayTypeDynamicString) << name;
    }
}

TEST(KeyboardLayoutData, EdgeKeysBiasTheirPopups)
{
    for (const char* layout : { "QWERTY", "AZERTY" }) {
        RefPtr<UIKBTree> keyboard
            = build({ KeyboardTreeKind::Standard, findLetterLayout(layout), false, true });
        UIKBTree* small = keyplaneNamed(keyboard.get(), "Small-Letters");
        auto bias = [&](const char* name) {
            auto* key = static_cast<UIKBTree*>(small->keysByKeyName(name)->objectAtIndex(0).object());
            return key->cache()->objectForKey("popup-bias");
        };
        bool azerty = std::string(layout) == "AZERTY";
        EXPECT_EQ(bias(azerty ? "Latin-Small-Letter-A" : "Latin-Small-Letter-Q").intValue(), 29);
        EXPECT_EQ(bias("Latin-Small-Letter-P").intValue(), 21);
        EXPECT_EQ(bias(azerty ? "Latin-Small-Letter-Q" : "Latin-Small-Letter-A").intValue(), 29);
        EXPECT_EQ(bias(azerty ? "Latin-Small-Letter-M" : "Latin-Small-Letter-L").intValue(), 21);
        EXPECT_TRUE(bias("Latin-Small-Letter-G").isNil());
        EXPECT_TRUE(bias("Latin-Small-Letter-X").isNil());
    }
}

TEST(KeyboardLayoutData, VowelsOfferAccentedVariants)
{
    RefPtr<UIKBTree> keyboard = build({});
    UIKBTree* small = keyplaneNamed(keyboard.get(), "Small-Letters");
    auto keyNamed = [&](const char* name) {
        return static_cast<UIKBTree*>(small->keysByKeyName(name)->objectAtIndex(0).object());
    };
    UIKBTree* e = keyNamed("Latin-Small-Letter-E");
    EXPECT_EQ(e->variantDisplayString().utf8(), "é");
    EXPECT_GE(e->properties()->objectForKey("KBvariants").array()->count(), 3u);
    EXPECT_TRUE(keyNamed("Latin-Small-Letter-Q")->variantDisplayString().isNil());
}

} // namespace
