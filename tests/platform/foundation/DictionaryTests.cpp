#include "platform/foundation/NSMutableDictionary.h"

#include <gtest/gtest.h>
#include <map>
#include <random>
#include <string>

namespace {

// Everything the dictionary holds, read back through its own interface.
std::map<std::string, int> contentsOf(const NSMutableDictionary& dictionary)
{
    std::map<std::string, int> contents;
    for (const auto& [key, value] : dictionary.entries()) {
        bool inserted = contents.emplace(std::string(key), value.intValue()).second;
        EXPECT_TRUE(inserted) << "key listed twice: " << key;
    }
    return contents;
}

// Keys of the lengths the table treats differently (under 4, 4 to 7, 8 and
// over, word multiples) that share long prefixes and suffixes.
std::string keyNumbered(unsigned number)
{
    static const char* const shapes[]
        = { "", "k", "KBrepresentedString", "CorvaneProcessed", "abcdefgh", "x.y", "popup-bias-" };
    std::string key = shapes[number % 7];
    key += std::to_string(number / 7);
    if (number % 3 == 0)
        key = std::to_string(number / 7) + key;
    return key;
}

} // namespace

// Random sets, replacements and removals, checked against an ordered map
// after every step: growth from the scanned to the indexed form, removals
// that shift probe runs, and the packing of removed keys' bytes.
TEST(NSMutableDictionary, AgreesWithAnOrderedMapThroughRandomChanges)
{
    std::mt19937 random(20261208);
    auto dictionary = NSMutableDictionary::dictionary();
    std::map<std::string, int> model;
    for (int step = 0; step < 6000; ++step) {
        std::string key = keyNumbered(random() % 300);
        if (random() % 3 == 0) {
            dictionary->removeObjectForKey(key);
            model.erase(key);
        } else {
            int value = static_cast<int>(random() % 1000) + 1;
            dictionary->setObject(value, key);
            model[key] = value;
        }
        ASSERT_EQ(dictionary->count(), model.size()) << "at step " << step;
        ASSERT_EQ(dictionary->objectForKey(key).intValue(), model.count(key) ? model[key] : 0)
            << "key '" << key << "' at step " << step;
        if (step % 500 == 0) {
            ASSERT_EQ(contentsOf(*dictionary), model) << "at step " << step;
        }
    }
    EXPECT_EQ(contentsOf(*dictionary), model);
    for (const auto& [key, value] : model)
        EXPECT_EQ(dictionary->objectForKey(key).intValue(), value) << key;
}

TEST(NSMutableDictionary, KeysDifferingInOneByteAnywhereAreDistinct)
{
    auto dictionary = NSMutableDictionary::dictionary();
    const std::string base = "KBrepresentedStringAltShiftLocked";
    for (std::size_t length = 0; length <= base.size(); ++length) {
        for (std::size_t at = 0; at < length; ++at) {
            std::string key = base.substr(0, length);
            key[at] = '#';
            dictionary->setObject(static_cast<int>(1000 * length + at), key);
        }
        dictionary->setObject(static_cast<int>(100000 + length), base.substr(0, length));
    }
    for (std::size_t length = 0; length <= base.size(); ++length) {
        EXPECT_EQ(
            dictionary->objectForKey(base.substr(0, length)).intValue(), static_cast<int>(100000 + length));
        for (std::size_t at = 0; at < length; ++at) {
            std::string key = base.substr(0, length);
            key[at] = '#';
            EXPECT_EQ(dictionary->objectForKey(key).intValue(), static_cast<int>(1000 * length + at)) << key;
        }
    }
    EXPECT_EQ(dictionary->objectForKey(std::string_view("KBrep\0sented", 12)).intValue(), 0);
}

// A key read from the dictionary itself, whole or in part, stays a valid
// argument while the dictionary makes room for it.
TEST(NSMutableDictionary, AcceptsKeysViewedInItsOwnEntries)
{
    auto dictionary = NSMutableDictionary::dictionary();
    std::map<std::string, int> expected;
    std::string newest = "an-entry-with-a-rather-long-name";
    dictionary->setObject(0, newest);
    expected[newest] = 0;
    for (int round = 1; round < 200; ++round) {
        std::string_view ownView;
        for (const auto& [key, value] : dictionary->entries()) {
            if (key == newest)
                ownView = key;
        }
        ASSERT_EQ(ownView, newest);
        std::string_view part = ownView.substr(round % 2);
        std::string made = std::string(part) + "+" + std::to_string(round);
        expected[std::string(part)] = round;
        dictionary->setObject(round, part);
        dictionary->setObject(round, made);
        expected[made] = round;
        newest = made;
    }
    EXPECT_EQ(contentsOf(*dictionary), expected);
}

TEST(NSMutableDictionary, CopiesAreIndependent)
{
    auto original = NSMutableDictionary::dictionary();
    for (unsigned number = 0; number < 20; ++number)
        original->setObject(static_cast<int>(number), keyNumbered(number));
    auto copy = original->mutableCopy();
    copy->setObject(-1, keyNumbered(3));
    copy->removeObjectForKey(keyNumbered(4));
    copy->setObject(99, "only in the copy");
    EXPECT_EQ(original->objectForKey(keyNumbered(3)).intValue(), 3);
    EXPECT_EQ(original->objectForKey(keyNumbered(4)).intValue(), 4);
    EXPECT_TRUE(original->objectForKey("only in the copy").isNil());
    EXPECT_EQ(copy->count(), 20u);
    original->removeAllObjects();
    EXPECT_EQ(copy->objectForKey(keyNumbered(19)).intValue(), 19);
    EXPECT_EQ(original->count(), 0u);
    original->setObject(7, keyNumbered(19));
    EXPECT_EQ(contentsOf(*original), (std::map<std::string, int> { { keyNumbered(19), 7 } }));
}

// A key hashed beforehand, at compile time or at run time, reaches the same
// entries as the plain string, whatever its length.
TEST(NSMutableDictionary, KeysHashedBeforehandFindTheSameEntries)
{
    static constexpr DictionaryKey compiled[] = { DictionaryKey(""), DictionaryKey("k"), DictionaryKey("abc"),
        DictionaryKey("abcd"), DictionaryKey("abcdefg"), DictionaryKey("abcdefgh"),
        DictionaryKey("abcdefghi"), DictionaryKey("KBrepresentedStringAltShiftLocked") };
    auto dictionary = NSMutableDictionary::dictionary();
    int number = 0;
    for (const DictionaryKey& key : compiled)
        dictionary->setObject(++number, key.text());
    number = 0;
    for (const DictionaryKey& key : compiled) {
        EXPECT_EQ(dictionary->objectForKey(key).intValue(), ++number) << key.text();
        dictionary->setObject(-number, key);
        EXPECT_EQ(dictionary->objectForKey(key.text()).intValue(), -number) << key.text();
    }
    const std::string text = "popup-bias-and-more-text-than-any-key-has";
    for (std::size_t length = 0; length <= text.size(); ++length) {
        std::string part = text.substr(0, length);
        dictionary->setObject(static_cast<int>(length) + 100, DictionaryKey(part));
        EXPECT_EQ(dictionary->objectForKey(part).intValue(), static_cast<int>(length) + 100) << part;
    }
    dictionary->removeObjectForKey(compiled[7]);
    EXPECT_TRUE(dictionary->objectForKey("KBrepresentedStringAltShiftLocked").isNil());
    dictionary->setObject(Value(), DictionaryKey(text));
    EXPECT_TRUE(dictionary->objectForKey(text).isNil());
}
