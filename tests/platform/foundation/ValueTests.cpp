#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"

#include <gtest/gtest.h>

namespace {

TEST(Value, IntValueFollowsThePlatformsReading)
{
    EXPECT_EQ(Value(2).intValue(), 2);
    EXPECT_EQ(Value(true).intValue(), 1);
    EXPECT_EQ(Value(2.9).intValue(), 2);
    EXPECT_EQ(Value("12").intValue(), 12);
    EXPECT_EQ(Value().intValue(), 0);
    // Values with no integer reading count as absent.
    EXPECT_EQ(Value(NSMutableArray::array()).intValue(), 0);
    EXPECT_EQ(Value(NSMutableDictionary::dictionary()).intValue(), 0);
    EXPECT_EQ(Value(NSData { 1, 2 }).intValue(), 0);
    // Wider integers keep their low 32 bits.
    EXPECT_EQ(Value(static_cast<std::int64_t>(0x100000001LL)).intValue(), 1);
}

TEST(NSMutableDictionary, StoresReplacesAndRemoves)
{
    auto dictionary = NSMutableDictionary::dictionary();
    EXPECT_TRUE(dictionary->objectForKey("type").isNil());
    dictionary->setObject(1, "type");
    dictionary->setObject(2, "type");
    dictionary->setObject("x", "other");
    EXPECT_EQ(dictionary->objectForKey("type").intValue(), 2);
    EXPECT_EQ(dictionary->count(), 2u);
    dictionary->setObject(Value(), "other");
    EXPECT_EQ(dictionary->count(), 1u);
    auto copy = dictionary->mutableCopy();
    copy->setObject(5, "type");
    EXPECT_EQ(dictionary->objectForKey("type").intValue(), 2);
}

TEST(NSMutableDictionary, NestedDictionariesAreShared)
{
    auto outer = NSMutableDictionary::dictionary();
    auto inner = NSMutableDictionary::dictionary();
    outer->setObject(inner, "inner");
    outer->objectForKey("inner").dictionary()->setObject(3, "n");
    EXPECT_EQ(inner->objectForKey("n").intValue(), 3);
}

TEST(NSMutableArray, FindsByValue)
{
    auto array = NSMutableArray::arrayWithValues({ "a", 1, "b" });
    EXPECT_EQ(array->indexOfObject("b"), 2u);
    EXPECT_EQ(array->indexOfObject("c"), NSNotFound);
    EXPECT_TRUE(array->objectAtIndex(9).isNil());
}

} // namespace
