#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/NSStringDrawing.h"
#include "tests/platform/graphics/PixelProbe.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>
#include <limits>

namespace {

CTFontRef optionFont()
{
    return CTFontCreateWithName("HelveticaNeue-Bold", 17);
}

CTFontRef labelFont()
{
    return CTFontCreateWithName("HelveticaNeue", 17);
}

// Pushes a fresh context as the current one for the test's drawing.
class CurrentContext {
public:
    CurrentContext(CGFloat width, CGFloat height, CGFloat scale = 2)
        : m_context(CGBitmapContextCreate(width, height, scale))
    {
        UIGraphicsPushContext(m_context.get());
    }
    ~CurrentContext() { UIGraphicsPopContext(); }
    CGContextRef get() const { return m_context.get(); }
    CGImageRef image() const { return CGBitmapContextCreateImage(m_context.get()); }

private:
    CGContextPtr m_context;
};

TEST(StringMeasuring, SingleLineSizeIsTheTextWidthAndTheFontsLineHeight)
{
    CGSize size = sizeWithFont("Flick up", optionFont());
    EXPECT_FLOAT_EQ(size.height, CTFontGetLineHeight(optionFont()));
    EXPECT_GT(size.width, 50);
    EXPECT_LT(size.width, 80);
    // Fractions are kept, and the same text always measures the same.
    EXPECT_NE(size.width, std::floor(size.width));
    for (int repeat = 0; repeat < 3; ++repeat)
        EXPECT_EQ(sizeWithFont("Flick up", optionFont()), size);
    EXPECT_EQ(
        sizeWithFont(NSString(std::string("Flick") + " up"), CTFontCreateWithName("HelveticaNeue-Bold", 17)),
        size);
}

TEST(StringMeasuring, WidthGrowsWithTheTextTheSizeAndTheWeight)
{
    const char* sentence = "on a key on the keyboard to";
    CGFloat previous = 0;
    for (std::size_t length = 1; length <= std::strlen(sentence); ++length) {
        CGFloat width = sizeWithFont(NSString(std::string(sentence, length)), labelFont()).width;
        EXPECT_GE(width, previous) << length;
        previous = width;
    }
    EXPECT_GT(
        sizeWithFont("Alternate key", optionFont()).width, sizeWithFont("Alternate key", labelFont()).width);
    EXPECT_NEAR(sizeWithFont("input its", CTFontCreateWithName("HelveticaNeue", 34)).width,
        2 * sizeWithFont("input its", labelFont()).width, 1e-3);
    // Helvetica's advance widths: "." is 0.278 em.
    EXPECT_NEAR(sizeWithFont(".", labelFont()).width, 17 * 0.278, 0.05);
}

TEST(StringMeasuring, LineFeedsStackLinesAndNothingMeasuresZero)
{
    CGFloat lineHeight = CTFontGetLineHeight(labelFont());
    CGSize two = sizeWithFont("short\nmuch longer line", labelFont());
    EXPECT_FLOAT_EQ(two.height, 2 * lineHeight);
    EXPECT_FLOAT_EQ(two.width, sizeWithFont("much longer line", labelFont()).width);
    EXPECT_EQ(sizeWithFont("", labelFont()), (CGSize { 0, lineHeight }));
    EXPECT_EQ(sizeWithFont(NSString(), labelFont()), CGSize {});
    EXPECT_EQ(sizeWithFont("text", nullptr), CGSize {});
}

TEST(StringMeasuring, IllFormedUTF8MeasuresAsReplacementCharacters)
{
    EXPECT_EQ(sizeWithFont(NSString(std::string("ab\xff cd")), labelFont()),
        sizeWithFont("ab\uFFFD cd", labelFont()));
}

TEST(StringMeasuring, ConstrainedSizeWrapsAndStopsAtTheHeight)
{
    CGFloat lineHeight = CTFontGetLineHeight(labelFont());
    NSString text("on a key on the keyboard to");
    CGSize wrapped
        = sizeWithFontConstrainedToSize(text, labelFont(), CGSizeMake(100, 1000), NSLineBreakByWordWrapping);
    EXPECT_LE(wrapped.width, 100);
    EXPECT_GE(wrapped.height, 3 * lineHeight);
    CGSize twoLines = sizeWithFontConstrainedToSize(
        text, labelFont(), CGSizeMake(100, 2.5f * lineHeight), NSLineBreakByWordWrapping);
    EXPECT_FLOAT_EQ(twoLines.height, 2 * lineHeight);
    CGSize truncated = sizeWithFontConstrainedToSize(
        text, labelFont(), CGSizeMake(100, 1000), NSLineBreakByTruncatingTail);
    EXPECT_FLOAT_EQ(truncated.height, lineHeight);
    EXPECT_LE(truncated.width, 100);
}

TEST(StringMeasuring, TheLargestHeightMeansNoLimitOnLines)
{
    // Labels measure with the largest float as the height when nothing limits
    // their lines; that must wrap like any tall rectangle.
    NSString text("on a key on the keyboard to");
    CGSize tall
        = sizeWithFontConstrainedToSize(text, labelFont(), CGSizeMake(100, 1000), NSLineBreakByWordWrapping);
    CGSize unlimited = sizeWithFontConstrainedToSize(
        text, labelFont(), CGSizeMake(100, std::numeric_limits<CGFloat>::max()), NSLineBreakByWordWrapping);
    EXPECT_FLOAT_EQ(unlimited.height, tall.height);
    EXPECT_GT(unlimited.height, CTFontGetLineHeight(labelFont()));
}

TEST(StringDrawing, DrawsInTheFillColourFromTheRectanglesTop)
{
    CurrentContext context(120, 40);
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(76 / 255.0f, 86 / 255.0f, 106 / 255.0f));
    CGSize size = sizeWithFont("Flick up", optionFont());
    CGRect rect = CGRectMake(10, 5, size.width, size.height);
    CGSize drawn
        = drawInRect("Flick up", rect, optionFont(), NSLineBreakByWordWrapping, NSTextAlignmentCenter);
    EXPECT_EQ(drawn, size);
    CGImageRef image = context.image();
    auto ink = boxOf(image);
    ASSERT_TRUE(ink);
    EXPECT_GT(countOf(image, isColored(76, 86, 106, 3)), 100);
    EXPECT_GE(ink->left, 2 * 10);
    EXPECT_LE(ink->right, 2 * (10 + size.width) + 1);
    // Capitals and ascenders reach from the baseline (ascent below the top)
    // up to about the cap height; "p" hangs below it.
    CGFloat baseline = 5 + CTFontGetAscent(optionFont());
    EXPECT_NEAR(ink->top, 2 * (baseline - CTFontGetCapHeight(optionFont())), 3);
    EXPECT_GT(ink->bottom, 2 * baseline + 4);
    EXPECT_LE(ink->bottom, 2 * (5 + size.height));
}

TEST(StringDrawing, TextExactlyAsWideAsItsRectangleStaysOnOneLine)
{
    for (const char* option : { "Flick up", "Slide up", "Shifted key", "Alternate key" }) {
        CurrentContext context(150, 60);
        CGSize size = sizeWithFont(option, optionFont());
        CGSize drawn = drawInRect(option, CGRectMake(4, 5.5f, size.width, size.height), optionFont(),
            NSLineBreakByWordWrapping, NSTextAlignmentCenter);
        EXPECT_EQ(drawn.height, size.height) << option;
        EXPECT_LE(boxOf(context.image())->bottom, 2 * (5.5 + size.height)) << option;
    }
}

TEST(StringDrawing, AlignmentPlacesTheLineInTheRectangle)
{
    CGFloat width = sizeWithFont("ab", labelFont()).width;
    auto inkFor = [&](NSTextAlignment alignment) {
        CurrentContext context(100, 30);
        drawInRect("ab", CGRectMake(0, 0, 100, 30), labelFont(), NSLineBreakByWordWrapping, alignment);
        return *boxOf(context.image());
    };
    PixelBox left = inkFor(NSTextAlignmentLeft);
    PixelBox centre = inkFor(NSTextAlignmentCenter);
    PixelBox right = inkFor(NSTextAlignmentRight);
    EXPECT_NEAR(centre.left - left.left, 100 - width, 1);
    EXPECT_NEAR(right.left - left.left, 2 * (100 - width), 1);
}

TEST(StringDrawing, WrapsAtWordsAndDrawsOnlyTheLinesThatFit)
{
    CGFloat lineHeight = CTFontGetLineHeight(labelFont());
    CurrentContext context(100, 200);
    CGSize drawn = drawInRect("on a key on the keyboard to", CGRectMake(0, 0, 80, 2 * lineHeight),
        labelFont(), NSLineBreakByWordWrapping, NSTextAlignmentLeft);
    EXPECT_FLOAT_EQ(drawn.height, 2 * lineHeight);
    auto ink = boxOf(context.image());
    EXPECT_LE(ink->right, 2 * 80);
    EXPECT_LE(ink->bottom, 2 * 2 * lineHeight);
    EXPECT_GT(ink->bottom, 2 * lineHeight);

    // A rectangle lower than a line still shows the first line.
    CurrentContext low(100, 40);
    drawInRect("word", CGRectMake(0, 0, 100, 4), labelFont(), NSLineBreakByWordWrapping, NSTextAlignmentLeft);
    EXPECT_TRUE(boxOf(low.image()));
}

TEST(StringDrawing, ClippingCutsAtTheSidesAndTruncationShortens)
{
    CurrentContext clipped(200, 30);
    drawInRect("on a key on the keyboard to", CGRectMake(10, 0, 60, 30), labelFont(), NSLineBreakByClipping,
        NSTextAlignmentLeft);
    auto ink = boxOf(clipped.image());
    EXPECT_GE(ink->left, 20);
    EXPECT_LE(ink->right, 2 * 70);
    EXPECT_GE(ink->right, 2 * 70 - 4);

    CurrentContext truncated(200, 30);
    CGSize size = drawInRect("on a key on the keyboard to", CGRectMake(0, 0, 80, 30), labelFont(),
        NSLineBreakByTruncatingTail, NSTextAlignmentLeft);
    EXPECT_LE(size.width, 80);
    EXPECT_LE(boxOf(truncated.image())->right, 2 * 80);
}

TEST(StringDrawing, ShadowFallsOnePointBelowTheText)
{
    CurrentContext context(60, 30);
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(0, 0, 1));
    CGContextFillRect(context.get(), CGRectMake(0, 0, 60, 30));
    CGContextSetFillColorWithColor(context.get(), CGColor::white(0));
    CGContextSetShadowWithColor(context.get(), CGSizeMake(0, 1.0f), 0, CGColor::white(1));
    drawAtPoint("I", CGPointMake(10, 5), optionFont());
    CGImageRef image = context.image();
    auto glyph = boxOf(image, isColored(0, 0, 0, 40));
    auto shadow = boxOf(image, isColored(255, 255, 255, 40));
    ASSERT_TRUE(glyph && shadow);
    EXPECT_EQ(shadow->top, glyph->bottom);
    EXPECT_NEAR(shadow->bottom - glyph->bottom, 2, 1);
}

TEST(StringDrawing, WithoutAContextItOnlyMeasures)
{
    ASSERT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    CGSize size = drawInRect("Slide up", CGRectMake(0, 0, 200, 40), optionFont(), NSLineBreakByWordWrapping,
        NSTextAlignmentCenter);
    EXPECT_EQ(size, sizeWithFont("Slide up", optionFont()));
    EXPECT_EQ(drawAtPoint("Slide up", CGPointZero, optionFont()), size);
}

} // namespace
