#include "platform/graphics/CTFont.h"

#include <cmath>
#include <gtest/gtest.h>

namespace {

TEST(FontTable, SystemNamesResolveToNimbusSansFaces)
{
    struct Case {
        const char* name;
        const char* postScriptName;
        const char* face;
    };
    for (Case entry : { Case { "Helvetica", "Helvetica", "NimbusSans-Regular" },
             Case { "Helvetica-Bold", "Helvetica-Bold", "NimbusSans-Bold" },
             Case { "HelveticaNeue", "HelveticaNeue", "NimbusSans-Regular" },
             Case { "HelveticaNeue-Bold", "HelveticaNeue-Bold", "NimbusSans-Bold" },
             Case { "system", "Helvetica", "NimbusSans-Regular" },
             Case { "system-bold", "Helvetica-Bold", "NimbusSans-Bold" } }) {
        CTFontRef font = CTFontCreateWithName(entry.name, 17);
        ASSERT_TRUE(font) << entry.name;
        EXPECT_EQ(CTFontCopyFaceName(font).utf8(), entry.face) << entry.name;
        EXPECT_EQ(CTFontCopyPostScriptName(font).utf8(), entry.postScriptName);
        EXPECT_EQ(CTFontGetSize(font), 17);
    }
    EXPECT_EQ(CTFontCreateWithName("system-bold", 15), CTFontCreateWithName("Helvetica-Bold", 15));
}

TEST(FontTable, UnknownNamesFallBackToHelvetica)
{
    for (NSString name : { NSString("Zapfino"), NSString(""), NSString(), NSString("helvetica-bold") }) {
        CTFontRef font = CTFontCreateWithName(name, 14);
        ASSERT_TRUE(font);
        EXPECT_EQ(CTFontCopyPostScriptName(font).utf8(), "Helvetica");
        EXPECT_EQ(CTFontCopyFaceName(font).utf8(), "NimbusSans-Regular");
        EXPECT_EQ(CTFontGetSize(font), 14);
        EXPECT_EQ(CTFontGetAscent(font), CTFontGetAscent(CTFontCreateWithName("Helvetica", 14)));
    }
}

TEST(FontTable, SizesThatAreNoSizeMeanTwelvePoints)
{
    for (CGFloat size : { 0.0f, -3.0f, NAN, INFINITY })
        EXPECT_EQ(CTFontGetSize(CTFontCreateWithName("Helvetica-Bold", size)), 12);
}

TEST(FontTable, SameNameAndSizeGiveTheSameFont)
{
    EXPECT_EQ(CTFontCreateWithName("Helvetica-Bold", 22), CTFontCreateWithName("Helvetica-Bold", 22));
    EXPECT_NE(CTFontCreateWithName("Helvetica-Bold", 22), CTFontCreateWithName("Helvetica-Bold", 20));
    EXPECT_NE(CTFontCreateWithName("Helvetica-Bold", 22), CTFontCreateWithName("Helvetica", 22));
}

TEST(FontMetrics, ScaleWithTheSizeAndGiveTheToolkitLineHeight)
{
    CTFontRef small = CTFontCreateWithName("Helvetica-Bold", 11);
    CTFontRef large = CTFontCreateWithName("Helvetica-Bold", 22);
    EXPECT_GT(CTFontGetAscent(small), 0);
    EXPECT_GT(CTFontGetDescent(small), 0);
    EXPECT_GE(CTFontGetLeading(small), 0);
    EXPECT_FLOAT_EQ(CTFontGetAscent(large), 2 * CTFontGetAscent(small));
    EXPECT_FLOAT_EQ(CTFontGetDescent(large), 2 * CTFontGetDescent(small));
    EXPECT_FLOAT_EQ(CTFontGetLineHeight(large), CTFontGetAscent(large) + CTFontGetDescent(large));
    // Helvetica's proportions: capitals about 0.72 em, lowercase about 0.52.
    EXPECT_NEAR(CTFontGetCapHeight(large) / 22, 0.72, 0.02);
    EXPECT_NEAR(CTFontGetXHeight(large) / 22, 0.52, 0.03);
    EXPECT_LT(CTFontGetUnderlinePosition(large), 0);
    EXPECT_GT(CTFontGetUnderlineThickness(large), 0);
    EXPECT_LT(CTFontGetCapHeight(large), CTFontGetAscent(large));
}

TEST(FontMetrics, MissingFontAnswersNothing)
{
    EXPECT_EQ(CTFontGetSize(nullptr), 0);
    EXPECT_EQ(CTFontGetLineHeight(nullptr), 0);
    EXPECT_TRUE(CTFontCopyPostScriptName(nullptr).isNil());
    EXPECT_TRUE(CTFontCopyFaceName(nullptr).isNil());
}

} // namespace
