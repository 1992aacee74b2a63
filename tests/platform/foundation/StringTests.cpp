#include "platform/foundation/NSString.h"

#include <gtest/gtest.h>

namespace {

TEST(NSString, NilIsDistinctFromEmptyAndAnswersNothing)
{
    NSString nil;
    EXPECT_TRUE(nil.isNil());
    EXPECT_FALSE(NSString("").isNil());
    EXPECT_EQ(nil.length(), 0u);
    EXPECT_TRUE(nil.lowercaseString().isNil());
    EXPECT_FALSE(nil.isEqualToString(nil));
    EXPECT_EQ(nil.rangeOfString("a").location, NSNotFound);
}

TEST(NSString, CaseMappingIsUnicodeAware)
{
    EXPECT_EQ(NSString("Q").lowercaseString().utf8(), "q");
    EXPECT_EQ(NSString("ÉCOLE").lowercaseString().utf8(), "école");
    EXPECT_EQ(NSString("straße").uppercaseString().utf8(), "STRASSE");
    EXPECT_EQ(NSString("…").uppercaseString().utf8(), "…");
}

TEST(NSString, LengthCountsUTF16Units)
{
    EXPECT_EQ(NSString("abc").length(), 3u);
    EXPECT_EQ(NSString("€").length(), 1u);
    EXPECT_EQ(NSString("😀x").length(), 3u);
}

TEST(NSString, CaseInsensitiveSearch)
{
    NSString name("Keyboard-iPhone-Standard-Alphabetic-Keyplane");
    EXPECT_TRUE(name.containsString("-alphabetic-", NSCaseInsensitiveSearch));
    EXPECT_FALSE(name.containsString("-alphabetic-"));
    NSRange range = NSString("Small-Letters").rangeOfString("LETTERS", NSCaseInsensitiveSearch);
    EXPECT_EQ(range.location, 6u);
    EXPECT_EQ(range.length, 7u);
}

TEST(NSString, ReplacesEveryOccurrenceAndFormats)
{
    EXPECT_EQ(NSString("(@Quillfen)").stringByReplacingOccurrencesOfString("(", "").utf8(), "@Quillfen)");
    EXPECT_EQ(NSString("a-b-c").stringByReplacingOccurrencesOfString("-", "+").utf8(), "a+b+c");
    EXPECT_EQ(NSString::stringWithFormat("%@_%@", { "K", "q" }).utf8(), "K_q");
    EXPECT_EQ(NSString::stringWithFormat("%@\n%@ 100%%", { "1", "q" }).utf8(), "1\nq 100%");
}

TEST(NSString, IntValueReadsLeadingDigits)
{
    EXPECT_EQ(NSString("  42abc").intValue(), 42);
    EXPECT_EQ(NSString("-7").intValue(), -7);
    EXPECT_EQ(NSString("x1").intValue(), 0);
    EXPECT_EQ(NSString("99999999999999").intValue(), 2147483647);
    EXPECT_EQ(NSString().intValue(), 0);
}

} // namespace
