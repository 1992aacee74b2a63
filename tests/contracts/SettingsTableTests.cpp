#include "contracts/CorvaneContract.h"

#include <gtest/gtest.h>
#include <set>
#include <string>

namespace {

// Every reader goes through readChoice, so the rule is pinned here once:
// only the exact choice's value picks it; everything else, absence (0)
// included, is the other option.
TEST(SettingsTable, EachRowReadsOnlyItsExactValueAsThatChoice)
{
    for (const contract::Setting& setting : contract::settings) {
        SCOPED_TRACE(setting.key);
        int exact = setting.exactChoice;
        int other = setting.defaultChoice();
        EXPECT_NE(exact, other);
        EXPECT_EQ(setting.readChoice(exact), exact);
        for (int stored : { other, 0, -1, 3, 1000 })
            EXPECT_EQ(setting.readChoice(stored), other) << "stored " << stored;
    }
}

TEST(SettingsTable, TheTwoSettingsKeepTheirWordsAndDefaults)
{
    EXPECT_EQ(contract::typeSetting.readChoice(0), contract::alternateKeyType);
    EXPECT_EQ(contract::typeSetting.readChoice(contract::shiftedKeyType), contract::shiftedKeyType);
    EXPECT_STREQ(contract::typeSetting.wordFor(contract::shiftedKeyType), "Shifted key");
    EXPECT_STREQ(contract::typeSetting.wordFor(0), "Alternate key");

    EXPECT_EQ(contract::gestureSetting.readChoice(0), contract::flickUpGesture);
    EXPECT_EQ(contract::gestureSetting.readChoice(contract::slideUpGesture), contract::slideUpGesture);
    EXPECT_STREQ(contract::gestureSetting.wordFor(contract::slideUpGesture), "Slide up");
    EXPECT_STREQ(contract::gestureSetting.wordFor(contract::shiftedKeyType), "Flick up");
}

TEST(SettingsTable, KeysAreDistinctAndFoundOnlyAsWritten)
{
    std::set<std::string> keys;
    for (const contract::Setting& setting : contract::settings) {
        EXPECT_TRUE(keys.insert(setting.key).second) << setting.key << " twice";
        EXPECT_EQ(contract::findSetting(setting.key), &setting);
    }
    EXPECT_EQ(contract::findSetting("Type"), nullptr);
    EXPECT_EQ(contract::findSetting("typo"), nullptr);
    EXPECT_EQ(contract::findSetting(""), nullptr);
}

} // namespace
