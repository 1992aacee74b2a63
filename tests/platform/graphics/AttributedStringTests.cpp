#include "platform/graphics/NSAttributedString.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

CTStringAttributes colored(CGColor color)
{
    CTStringAttributes attributes;
    attributes.foregroundColor = color;
    return attributes;
}

const CGColor grey = CGColor::white(0.5f);
const CGColor black = CGColor::white(0);

TEST(AttributedString, RangesCountUTF16UnitsOfNonASCIIText)
{
    // "…" and "€" are three UTF-8 bytes but one unit each; "😀" is two units.
    NSAttributedString string("…\n€😀x");
    EXPECT_EQ(string.length(), 6u);
    EXPECT_TRUE(string.setAttributes(colored(grey), { 0, 1 }));
    EXPECT_TRUE(string.setAttributes(colored(black), { 2, 3 }));
    NSRange range;
    EXPECT_EQ(string.attributesAtIndex(0, &range).foregroundColor, grey);
    EXPECT_EQ(range.length, 1u);
    EXPECT_TRUE(string.attributesAtIndex(1, &range).isEmpty());
    EXPECT_EQ(range.location, 1u);
    EXPECT_EQ(string.attributesAtIndex(4, &range).foregroundColor, black);
    EXPECT_EQ(range.location, 2u);
    EXPECT_EQ(range.length, 3u);
    EXPECT_TRUE(string.attributesAtIndex(5).isEmpty());
}

TEST(AttributedString, SetAttributesReplacesOnlyTheRange)
{
    CTStringAttributes underlined;
    underlined.underlineStyle = kCTUnderlineStyleSingle;
    NSAttributedString string("abcdef", colored(grey));
    ASSERT_TRUE(string.setAttributes(underlined, { 2, 2 }));
    ASSERT_EQ(string.runs().size(), 3u);
    EXPECT_EQ(string.runs()[0].range.length, 2u);
    EXPECT_EQ(string.runs()[0].attributes.foregroundColor, grey);
    // Replaced, not merged: the middle has an underline and no colour.
    EXPECT_FALSE(string.runs()[1].attributes.foregroundColor);
    EXPECT_EQ(string.runs()[1].attributes.underlineStyle, 1);
    EXPECT_EQ(string.runs()[2].range.location, 4u);
    EXPECT_EQ(string.runs()[2].attributes.foregroundColor, grey);

    ASSERT_TRUE(string.setAttributes(colored(black), { 1, 4 }));
    ASSERT_EQ(string.runs().size(), 3u);
    EXPECT_EQ(string.runs()[1].range.location, 1u);
    EXPECT_EQ(string.runs()[1].range.length, 4u);
    EXPECT_EQ(string.runs()[2].range.length, 1u);
}

TEST(AttributedString, RangesOutsideTheStringChangeNothing)
{
    NSAttributedString string("abc", colored(grey));
    EXPECT_FALSE(string.setAttributes(colored(black), { 2, 2 }));
    EXPECT_FALSE(string.setAttributes(colored(black), { 4, 0 }));
    EXPECT_FALSE(string.setAttributes(colored(black), { NSNotFound, 1 }));
    EXPECT_EQ(string.runs().size(), 1u);
    EXPECT_EQ(string.attributesAtIndex(2).foregroundColor, grey);
    NSRange range;
    EXPECT_TRUE(string.attributesAtIndex(3, &range).isEmpty());
    EXPECT_EQ(range.location, NSNotFound);
}

TEST(AttributedString, NilStringIsEmptyAndAttributesCountTheirEntries)
{
    NSAttributedString string(NSString {}, colored(grey));
    EXPECT_EQ(string.length(), 0u);
    EXPECT_EQ(string.string().utf8(), "");
    EXPECT_TRUE(string.runs().empty());

    CTStringAttributes attributes;
    EXPECT_EQ(attributes.count(), 0u);
    attributes.*kCTFontAttributeName = CTFontCreateWithName("Helvetica-Bold", 40);
    attributes.*kCTForegroundColorAttributeName = black;
    attributes.*kCTUnderlineStyleAttributeName = kCTUnderlineStyleNone;
    EXPECT_EQ(attributes.count(), 3u);
    attributes.*kCTParagraphStyleAttributeName = CTParagraphStyleCreate({});
    EXPECT_EQ(attributes.count(), 4u);
}

TEST(AttributedString, IllFormedUTF8IsReadAsReplacementCharacters)
{
    NSString broken(std::string("ab\xff\xfe cd\xe2\x82"));
    NSAttributedString string(broken, colored(grey));
    EXPECT_EQ(string.string().utf16(), broken.utf16());
    EXPECT_EQ(string.length(), broken.utf16().size());
    EXPECT_TRUE(string.setAttributes(colored(black), { 2, string.length() - 2 }));
    EXPECT_EQ(string.attributesAtIndex(string.length() - 1).foregroundColor, black);
}

TEST(ParagraphStyle, SettingsApplyInOrderAndAreKept)
{
    CTParagraphStyleRef style
        = CTParagraphStyleCreate({ { kCTParagraphStyleSpecifierAlignment, kCTTextAlignmentCenter },
            { kCTParagraphStyleSpecifierMinimumLineHeight, 19.98f },
            { kCTParagraphStyleSpecifierMaximumLineHeight, 19.98f },
            { kCTParagraphStyleSpecifierMaximumLineHeight, 25.0f } });
    EXPECT_EQ(style->alignment, kCTTextAlignmentCenter);
    EXPECT_EQ(style->minimumLineHeight, 19.98f);
    EXPECT_EQ(style->maximumLineHeight, 25.0f);
    ASSERT_EQ(style->settings.size(), 4u);
    EXPECT_EQ(style->settings[1].specifier, kCTParagraphStyleSpecifierMinimumLineHeight);
    EXPECT_EQ(style->lineHeightFor(10), 19.98f);
    EXPECT_EQ(style->lineHeightFor(30), 25.0f);
    EXPECT_EQ(CTParagraphStyleCreate({})->lineHeightFor(17.5f), 17.5f);
    EXPECT_EQ(CTParagraphStyleCreate({})->alignment, kCTTextAlignmentNatural);
}

TEST(ParagraphStyle, SettingsThatMakeNoSenseChangeNothing)
{
    CTParagraphStyleRef style = CTParagraphStyleCreate({ { kCTParagraphStyleSpecifierAlignment, 12.0f },
        { kCTParagraphStyleSpecifierMinimumLineHeight, kCTTextAlignmentRight },
        { kCTParagraphStyleSpecifierMaximumLineHeight, -4.0f },
        { kCTParagraphStyleSpecifierMinimumLineHeight, NAN } });
    EXPECT_EQ(style->alignment, kCTTextAlignmentNatural);
    EXPECT_EQ(style->minimumLineHeight, 0);
    EXPECT_EQ(style->maximumLineHeight, 0);
    EXPECT_EQ(style->settings.size(), 4u);
}

} // namespace
