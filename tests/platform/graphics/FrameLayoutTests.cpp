#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/CTFramesetter.h"
#include "tests/platform/graphics/PixelProbe.h"

#include <gtest/gtest.h>

namespace {

const CGColor grey = CGColor::white(0.5f);
const CGColor black = CGColor::white(0);

// A padded key frame 32 × 54 points, and the line heights a key cap uses.
constexpr CGFloat keyWidth = 32;
constexpr CGFloat keyHeight = 54;
const CGFloat alternateLineHeight = static_cast<CGFloat>(keyHeight * 0.37);
const CGFloat primaryLineHeight = keyHeight * 0.5f;
const CGFloat singleLineHeight = static_cast<CGFloat>(keyHeight * 0.79);

// A context prepared the way key labels are drawn: y up from the bottom-left.
CGContextPtr flippedContext(CGFloat width, CGFloat height, CGFloat scale = 2)
{
    auto context = CGBitmapContextCreate(width, height, scale);
    CGContextSetTextMatrix(context.get(), CGAffineTransformIdentity);
    CGContextTranslateCTM(context.get(), 0, height);
    CGContextScaleCTM(context.get(), 1, -1);
    return context;
}

CTStringAttributes labelAttributes(CGFloat size, CGColor color, CGFloat lineHeight,
    CTTextAlignment alignment = kCTTextAlignmentCenter, const char* font = "Helvetica-Bold")
{
    CTStringAttributes attributes;
    attributes.font = CTFontCreateWithName(font, size);
    attributes.foregroundColor = color;
    attributes.paragraphStyle = CTParagraphStyleCreate({ { kCTParagraphStyleSpecifierAlignment, alignment },
        { kCTParagraphStyleSpecifierMinimumLineHeight, lineHeight },
        { kCTParagraphStyleSpecifierMaximumLineHeight, lineHeight } });
    return attributes;
}

// "1" above "q", the line feed between them without attributes.
NSAttributedString alternateOverPrimary(const char* alternate = "1", const char* primary = "q")
{
    NSString text = NSString::stringWithFormat("%@\n%@", { alternate, primary });
    NSAttributedString string(text);
    std::size_t alternateLength = NSString(alternate).length();
    EXPECT_TRUE(string.setAttributes(labelAttributes(11, grey, alternateLineHeight), { 0, alternateLength }));
    EXPECT_TRUE(string.setAttributes(
        labelAttributes(20, black, primaryLineHeight), { alternateLength + 1, NSString(primary).length() }));
    return string;
}

CTFrameRef frameIn(const NSAttributedString& string, CGRect rect, CFRange range = CFRangeMake(0, 0))
{
    return CTFramesetterCreateFrame(
        CTFramesetterCreateWithAttributedString(string), range, CGPathCreateWithRect(rect));
}

CGImageRef drawKey(const NSAttributedString& string)
{
    auto context = flippedContext(keyWidth, keyHeight);
    CTFrameDraw(frameIn(string, CGRectMake(0, 0, keyWidth, keyHeight)), context.get());
    return snapshot(context);
}

bool isGreyInk(const CGPixel& pixel)
{
    return pixel.alpha > 40 && pixel.red > 60;
}

bool isBlackInk(const CGPixel& pixel)
{
    return pixel.alpha > 40 && pixel.red < 40 && pixel.green < 40 && pixel.blue < 40;
}

TEST(FrameLayout, KeyCapLinesStackFromTheTopOfTheRectangle)
{
    CGImageRef image = drawKey(alternateOverPrimary());
    auto alternate = boxOf(image, isGreyInk);
    auto primary = boxOf(image, isBlackInk);
    ASSERT_TRUE(alternate && primary);
    // At 2×: the first line is the top 0.37 h, the second the 0.5 h below it.
    EXPECT_GE(alternate->top, 0);
    EXPECT_LE(alternate->bottom, 2 * alternateLineHeight);
    EXPECT_GE(primary->top, 2 * alternateLineHeight);
    EXPECT_LE(primary->bottom, 2 * (alternateLineHeight + primaryLineHeight) + 1);
    EXPECT_LT(alternate->bottom, primary->top);
    // Each line is a real label, not a speck: "1" is most of 11-point capitals high.
    EXPECT_GT(alternate->height(), 2 * 11 * 0.6);
    EXPECT_GT(primary->height(), 2 * 20 * 0.6);
}

TEST(FrameLayout, KeyCapLinesAreCentredInTheKey)
{
    CGImageRef image = drawKey(alternateOverPrimary());
    EXPECT_NEAR(boxOf(image, isGreyInk)->centerX(), keyWidth, 3);
    EXPECT_NEAR(boxOf(image, isBlackInk)->centerX(), keyWidth, 3);

    CGImageRef wide = drawKey(alternateOverPrimary("€", "W"));
    EXPECT_NEAR(boxOf(wide, isBlackInk)->centerX(), keyWidth, 3);
}

TEST(FrameLayout, SingleLabelFitsItsLineHeight)
{
    CGImageRef capital = drawKey(CFAttributedStringCreate("E", labelAttributes(22, black, singleLineHeight)));
    auto ink = boxOf(capital);
    ASSERT_TRUE(ink);
    EXPECT_GE(ink->top, 0);
    EXPECT_LE(ink->bottom, 2 * singleLineHeight);
    EXPECT_NEAR(ink->centerX(), keyWidth, 3);
    // A capital nearly as high as the font's cap height.
    EXPECT_NEAR(ink->height(), 2 * CTFontGetCapHeight(CTFontCreateWithName("Helvetica-Bold", 22)), 3);

    // A descender reaches down to the line's bottom edge and not past it.
    CGImageRef lowercase
        = drawKey(CFAttributedStringCreate("q", labelAttributes(22, black, singleLineHeight)));
    EXPECT_LE(boxOf(lowercase)->bottom, 2 * singleLineHeight + 1);
    EXPECT_GT(boxOf(lowercase)->bottom, 2 * singleLineHeight - 4);
    EXPECT_NEAR(boxOf(lowercase)->centerX(), keyWidth, 3);
}

TEST(FrameLayout, BaselineStandsTheDescentAboveEachFixedLinesBottom)
{
    CTFrameRef frame = frameIn(alternateOverPrimary(), CGRectMake(0, 0, keyWidth, keyHeight));
    std::vector<CTFrameLine> lines = CTFrameGetLines(frame);
    ASSERT_EQ(lines.size(), 2u);
    CGFloat descent11 = CTFontGetDescent(CTFontCreateWithName("Helvetica-Bold", 11));
    CGFloat descent20 = CTFontGetDescent(CTFontCreateWithName("Helvetica-Bold", 20));
    EXPECT_FLOAT_EQ(lines[0].height, alternateLineHeight);
    EXPECT_FLOAT_EQ(lines[1].height, primaryLineHeight);
    EXPECT_NEAR(lines[0].origin.y, keyHeight - alternateLineHeight + descent11, 1e-4);
    EXPECT_NEAR(lines[1].origin.y, keyHeight - alternateLineHeight - primaryLineHeight + descent20, 1e-4);
    EXPECT_NEAR(lines[0].origin.x, (keyWidth - lines[0].width) / 2, 1e-4);
    EXPECT_EQ(CTFrameGetLineOrigins(frame)[1].y, lines[1].origin.y);
    // The line feed belongs to the first line.
    EXPECT_EQ(lines[0].stringRange, CFRangeMake(0, 2));
    EXPECT_EQ(lines[1].stringRange, CFRangeMake(2, 1));
    EXPECT_EQ(CTFrameGetVisibleStringRange(frame), CFRangeMake(0, 3));
}

TEST(FrameLayout, OriginsAreRelativeToThePathRectangle)
{
    CGRect key = CGRectMake(100, 40, keyWidth, keyHeight);
    auto here = CTFrameGetLines(frameIn(alternateOverPrimary(), key));
    auto there = CTFrameGetLines(frameIn(alternateOverPrimary(), CGRectMake(0, 0, keyWidth, keyHeight)));
    ASSERT_EQ(here.size(), 2u);
    EXPECT_FLOAT_EQ(here[1].origin.x, there[1].origin.x);
    EXPECT_FLOAT_EQ(here[1].origin.y, there[1].origin.y);

    auto context = flippedContext(200, 120);
    CTFrameDraw(frameIn(alternateOverPrimary(), key), context.get());
    // The key's top edge is 120 − 40 − 54 = 26 points below the view's top.
    auto ink = boxOf(snapshot(context));
    ASSERT_TRUE(ink);
    EXPECT_GE(ink->top, 2 * 26);
    EXPECT_LE(ink->bottom, 2 * (26 + keyHeight));
    EXPECT_NEAR(ink->centerX(), 2 * (100 + keyWidth / 2), 3);
}

TEST(FrameLayout, TextStandsUprightInFlippedCoordinatesAndOnItsHeadOtherwise)
{
    NSAttributedString text = CFAttributedStringCreate("T", labelAttributes(40, black, 55));
    // The bar of a "T" is its widest row: at the top when upright.
    auto barRow = [](const CGImageRef& image) {
        auto ink = *boxOf(image);
        int widestRow = ink.top, widest = 0;
        for (int y = ink.top; y < ink.bottom; ++y) {
            int width = countOf(image, isInk, PixelBox { ink.left, y, ink.right, y + 1 });
            if (width > widest) {
                widest = width;
                widestRow = y;
            }
        }
        return (widestRow - ink.top) / static_cast<double>(ink.height());
    };
    auto flipped = flippedContext(60, 60);
    CTFrameDraw(frameIn(text, CGRectMake(0, 0, 60, 55)), flipped.get());
    EXPECT_LT(barRow(snapshot(flipped)), 0.2);

    auto plain = CGBitmapContextCreate(60, 60, 2);
    CTFrameDraw(frameIn(text, CGRectMake(0, 0, 60, 55)), plain.get());
    EXPECT_GT(barRow(snapshot(plain)), 0.8);
}

TEST(FrameLayout, RangesColourTheirOwnCharactersAndTheBareLineFeedDrawsNothing)
{
    CGImageRef image = drawKey(alternateOverPrimary());
    int total = countOf(image, isInk);
    int greyInFirstLine
        = countOf(image, isGreyInk, PixelBox { 0, 0, 64, static_cast<int>(2 * alternateLineHeight) });
    int blackInSecondLine = countOf(image, isBlackInk,
        PixelBox { 0, static_cast<int>(2 * alternateLineHeight), 64, static_cast<int>(2 * keyHeight) });
    EXPECT_GT(greyInFirstLine, 20);
    EXPECT_GT(blackInSecondLine, 50);
    EXPECT_EQ(greyInFirstLine + blackInSecondLine, total);
}

TEST(FrameLayout, NonASCIIRangesMapToTheRightCharacters)
{
    NSAttributedString string("x€\n…y");
    CTStringAttributes red = labelAttributes(20, CGColor::rgb(1, 0, 0), 25);
    CTStringAttributes blue = labelAttributes(20, CGColor::rgb(0, 0, 1), 25);
    ASSERT_TRUE(string.setAttributes(red, { 1, 1 })); // "€"
    ASSERT_TRUE(string.setAttributes(blue, { 3, 1 })); // "…"
    auto context = flippedContext(60, 50);
    CTFrameDraw(frameIn(string, CGRectMake(0, 0, 60, 50)), context.get());
    CGImageRef image = snapshot(context);
    auto isRed = [](const CGPixel& pixel) { return pixel.alpha > 100 && pixel.red > 150 && pixel.blue < 80; };
    auto isBlue
        = [](const CGPixel& pixel) { return pixel.alpha > 100 && pixel.blue > 150 && pixel.red < 80; };
    auto euro = boxOf(image, isRed);
    auto ellipsis = boxOf(image, isBlue);
    ASSERT_TRUE(euro && ellipsis);
    EXPECT_LE(euro->bottom, 50);
    EXPECT_GE(ellipsis->top, 50);
    // The ellipsis is three dots on the baseline: wide and low.
    EXPECT_GT(ellipsis->width(), 3 * ellipsis->height());
    // "x" and "y" are in the default black Helvetica 12 next to them.
    auto dark = boxOf(image, isBlackInk);
    ASSERT_TRUE(dark);
    EXPECT_LT(dark->left, euro->left);
    EXPECT_GT(dark->right, ellipsis->right);
}

TEST(FrameLayout, AlignmentPlacesLinesLeftCentreOrRight)
{
    CGRect rect = CGRectMake(10, 0, 100, 30);
    auto originFor = [&](CTTextAlignment alignment) {
        auto lines = CTFrameGetLines(
            frameIn(CFAttributedStringCreate("ab", labelAttributes(20, black, 25, alignment)), rect));
        return lines.at(0);
    };
    CTFrameLine left = originFor(kCTTextAlignmentLeft);
    EXPECT_EQ(left.origin.x, 0);
    EXPECT_EQ(originFor(kCTTextAlignmentNatural).origin.x, 0);
    EXPECT_NEAR(originFor(kCTTextAlignmentCenter).origin.x, (100 - left.width) / 2, 1e-4);
    EXPECT_NEAR(originFor(kCTTextAlignmentRight).origin.x, 100 - left.width, 1e-4);
}

TEST(FrameLayout, LongParagraphsWrapAtWordsAndTheFrameEndsWhenFull)
{
    NSAttributedString string = CFAttributedStringCreate(
        "alpha beta gamma delta", labelAttributes(20, black, 25, kCTTextAlignmentLeft));
    auto lines = CTFrameGetLines(frameIn(string, CGRectMake(0, 0, 70, 200)));
    ASSERT_GE(lines.size(), 3u);
    // Every line starts at a word.
    NSString text = string.string();
    for (const CTFrameLine& line : lines) {
        EXPECT_LE(line.width, 70.01f);
        if (line.stringRange.location > 0) {
            EXPECT_EQ(text.utf16()[static_cast<std::size_t>(line.stringRange.location - 1)], u' ');
        }
    }
    // Two lines' worth of height holds two lines.
    CTFrameRef short_ = frameIn(string, CGRectMake(0, 0, 70, 55));
    EXPECT_EQ(CTFrameGetLines(short_).size(), 2u);
    EXPECT_EQ(CTFrameGetVisibleStringRange(short_).location, 0);
    EXPECT_EQ(CTFrameGetVisibleStringRange(short_).length, lines[2].stringRange.location);
    // Too low for one line: nothing.
    EXPECT_TRUE(CTFrameGetLines(frameIn(string, CGRectMake(0, 0, 70, 20))).empty());
}

TEST(FrameLayout, LinesWithoutFixedHeightTakeTheirFontsHeight)
{
    CTStringAttributes attributes;
    attributes.font = CTFontCreateWithName("HelveticaNeue", 17);
    auto lines = CTFrameGetLines(
        frameIn(CFAttributedStringCreate("a\n\nb", attributes), CGRectMake(0, 0, 100, 100)));
    ASSERT_EQ(lines.size(), 3u);
    CGFloat natural = CTFontGetAscent(attributes.font) + CTFontGetDescent(attributes.font)
        + CTFontGetLeading(attributes.font);
    for (const CTFrameLine& line : lines)
        EXPECT_FLOAT_EQ(line.height, natural);
    EXPECT_NEAR(lines[0].origin.y - lines[2].origin.y, 2 * natural, 1e-3);
    EXPECT_EQ(lines[1].width, 0);
}

TEST(FrameLayout, UnderlineStyleDrawsABarUnderTheText)
{
    auto drawn = [](int underline) {
        CTStringAttributes attributes = labelAttributes(20, black, 30, kCTTextAlignmentLeft);
        attributes.underlineStyle = underline;
        auto context = flippedContext(100, 30);
        CTFrameDraw(
            frameIn(CFAttributedStringCreate("one", attributes), CGRectMake(0, 0, 100, 30)), context.get());
        return snapshot(context);
    };
    CGImageRef plain = drawn(kCTUnderlineStyleNone);
    CGImageRef underlined = drawn(kCTUnderlineStyleSingle);
    ASSERT_TRUE(boxOf(plain) && boxOf(underlined));
    EXPECT_GT(boxOf(underlined)->bottom, boxOf(plain)->bottom);
    // The bar runs unbroken under the whole word.
    int bottomRow = boxOf(underlined)->bottom - 1;
    int barWidth = countOf(underlined, isInk, PixelBox { 0, bottomRow, 200, bottomRow + 1 });
    EXPECT_NEAR(barWidth, boxOf(plain)->width(), 6);
}

TEST(FrameLayout, RangeSelectsPartOfTheStringAndMissingPiecesGiveNothing)
{
    CTFrameRef frame
        = frameIn(alternateOverPrimary(), CGRectMake(0, 0, keyWidth, keyHeight), CFRangeMake(2, 1));
    auto lines = CTFrameGetLines(frame);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].stringRange, CFRangeMake(2, 1));
    EXPECT_FLOAT_EQ(lines[0].height, primaryLineHeight);

    EXPECT_EQ(
        CTFrameGetLines(frameIn(alternateOverPrimary(), CGRectMake(0, 0, 30, 50), CFRangeMake(9, 4))).size(),
        0u);
    EXPECT_FALSE(
        CTFramesetterCreateFrame(nullptr, CFRangeMake(0, 0), CGPathCreateWithRect(CGRectMake(0, 0, 9, 9))));
    EXPECT_TRUE(CTFrameGetLines(
        CTFramesetterCreateFrame(
            CTFramesetterCreateWithAttributedString(alternateOverPrimary()), CFRangeMake(0, 0), nullptr))
                    .empty());
    CTFrameDraw(nullptr, nullptr);
    EXPECT_TRUE(CTFrameGetLines(frameIn(NSAttributedString(""), CGRectMake(0, 0, 9, 9))).empty());
}

TEST(FrameLayout, IllFormedUTF8IsSetWholeAsReplacementCharacters)
{
    NSString broken(std::string("ab\xff cd\xe2\x82"));
    CTStringAttributes attributes = labelAttributes(20, black, 25, kCTTextAlignmentLeft);
    CTFrameRef frame = frameIn(CFAttributedStringCreate(broken, attributes), CGRectMake(0, 0, 200, 30));
    EXPECT_EQ(
        CTFrameGetVisibleStringRange(frame), CFRangeMake(0, static_cast<CFIndex>(broken.utf16().size())));
    CTFrameRef clean
        = frameIn(CFAttributedStringCreate("ab\uFFFD cd\uFFFD", attributes), CGRectMake(0, 0, 200, 30));
    EXPECT_FLOAT_EQ(CTFrameGetLines(frame).at(0).width, CTFrameGetLines(clean).at(0).width);
}

TEST(FrameLayout, PathTransformAndNegativeSizesGiveTheSameRectangle)
{
    CGAffineTransform moved { 1, 0, 0, 1, 5, 7 };
    EXPECT_EQ(CGPathGetBoundingBox(CGPathCreateWithRect(CGRectMake(0, 0, 10, 20), &moved)),
        CGRectMake(5, 7, 10, 20));
    EXPECT_EQ(
        CGPathGetBoundingBox(CGPathCreateWithRect(CGRectMake(10, 20, -10, -20))), CGRectMake(0, 0, 10, 20));
    EXPECT_EQ(CGPathGetBoundingBox(nullptr), CGRectZero);
}

} // namespace
