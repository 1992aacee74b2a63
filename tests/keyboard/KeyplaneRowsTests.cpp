#include "keyboard/KeyboardModel.h"
#include "keyboard/KeyplaneRows.h"
#include "platform/keyboard/KeyboardLayoutBuilder.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<NSObject*> rowOrder(const KeyplaneRows& rows)
{
    std::vector<NSObject*> keys;
    rows.forEachKey([&keys](NSObject* key) { keys.push_back(key); });
    return keys;
}

// Read from the tree, in the keyplane's own order, on every keyplane of every
// keyboard: a key found at another position would take another key's alternate.
TEST(KeyplaneRows, HoldTheKeysOfEveryKeyplaneInTheOrderOfItsKeyList)
{
    for (bool landscape : { false, true }) {
        for (const KeyboardLetterLayout& letters : keyboardLetterLayouts()) {
            for (auto kind :
                { KeyboardTreeKind::Standard, KeyboardTreeKind::WebAddress, KeyboardTreeKind::EmailAddress,
                    KeyboardTreeKind::NumberPad, KeyboardTreeKind::PhonePad }) {
                RefPtr<UIKBTree> keyboard = buildKeyboardTree(
                    { kind, &letters, landscape, true }, CurrencySigns::forLocale("en_US"));
                for (const Value& keyplane : *send(keyboard.get(), sel::subtrees)) {
                    SCOPED_TRACE(std::string(letters.name) + " " + send(keyplane.object(), sel::name).utf8()
                        + (landscape ? " landscape" : " portrait"));
                    // Rows first: the key list is made from the tree once it is asked for.
                    KeyplaneRows rows(keyplane.object());
                    NSMutableArray* keys = send(keyplane.object(), sel::keys);
                    ASSERT_GT(countOf(keys), 0u);
                    std::vector<NSObject*> expected;
                    for (const Value& key : *keys)
                        expected.push_back(key.object());
                    EXPECT_EQ(rowOrder(rows), expected);
                    for (std::size_t position = 0; position < expected.size(); ++position)
                        EXPECT_EQ(rows.keyAt(position), expected[position]) << "position " << position;
                    EXPECT_EQ(rows.keyAt(expected.size()), nullptr);
                }
            }
        }
    }
}

TEST(KeyplaneRows, AMissingKeyplaneHasNoKeys)
{
    KeyplaneRows rows(nullptr);
    EXPECT_TRUE(rowOrder(rows).empty());
    EXPECT_EQ(rows.keyAt(0), nullptr);
}

} // namespace
