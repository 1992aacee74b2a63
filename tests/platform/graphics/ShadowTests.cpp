#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/CTFramesetter.h"
#include "tests/platform/graphics/PixelProbe.h"

#include <gtest/gtest.h>

namespace {

const CGColor black = CGColor::white(0);
const CGColor white = CGColor::white(1);
const CGColor red = CGColor::rgb(1, 0, 0);

// A red 10 × 10 square at (20, 20) points under the given shadow, optionally
// in coordinates flipped the way the keyboard flips them before drawing labels.
CGImageRef squareWithShadow(CGSize offset, CGFloat blur, CGColor shadow, CGFloat scale, bool flipped)
{
    auto context = CGBitmapContextCreate(50, 50, scale);
    if (flipped) {
        CGContextTranslateCTM(context.get(), 0, 50);
        CGContextScaleCTM(context.get(), 1, -1);
    }
    CGContextSetShadowWithColor(context.get(), offset, blur, shadow);
    CGContextSetFillColorWithColor(context.get(), red);
    CGContextFillRect(context.get(), CGRectMake(20, 20, 10, 10));
    return snapshot(context);
}

TEST(Shadow, PositiveHeightCastsTheShadowDownOnScreenWhateverWayUp)
{
    for (bool flipped : { false, true }) {
        auto image = squareWithShadow(CGSizeMake(0, 1), 0, black, 1, flipped);
        auto square = boxOf(image, isColored(255, 0, 0));
        auto shadow = boxOf(image, isColored(0, 0, 0));
        ASSERT_TRUE(square && shadow);
        EXPECT_EQ(square->top, 20);
        EXPECT_EQ(shadow->top, 30) << "flipped " << flipped;
        EXPECT_EQ(shadow->bottom, 31);
        EXPECT_EQ(shadow->left, 20);
    }
}

TEST(Shadow, NegativeHeightCastsItUpAndWidthToTheRight)
{
    auto up = squareWithShadow(CGSizeMake(0, -1), 0, black, 1, true);
    EXPECT_EQ(boxOf(up, isColored(0, 0, 0))->top, 19);
    EXPECT_EQ(boxOf(up, isColored(0, 0, 0))->bottom, 20);
    auto right = squareWithShadow(CGSizeMake(2, 0), 0, black, 1, false);
    EXPECT_EQ(boxOf(right, isColored(0, 0, 0))->left, 30);
    EXPECT_EQ(boxOf(right, isColored(0, 0, 0))->right, 32);
}

TEST(Shadow, OffsetIsInPointsAtEachScale)
{
    auto image = squareWithShadow(CGSizeMake(0, 1), 0, black, 2, true);
    auto shadow = boxOf(image, isColored(0, 0, 0));
    EXPECT_EQ(shadow->top, 60);
    EXPECT_EQ(shadow->bottom, 62);
}

TEST(Shadow, BlurZeroIsAHardCopyInTheShadowColour)
{
    auto image = squareWithShadow(CGSizeMake(3, 3), 0, CGColor::rgb(0, 0, 1), 1, false);
    // Every pixel is the square, its shadow, or empty: no soft edge.
    int other = countOf(image, [](const CGPixel& pixel) {
        return pixel.alpha != 0 && !(pixel == CGPixel { 255, 255, 0, 0 })
            && !(pixel == CGPixel { 255, 0, 0, 255 });
    });
    EXPECT_EQ(other, 0);
    EXPECT_EQ(countOf(image, isColored(0, 0, 255, 0)), 3 * 10 + 3 * 7);
    EXPECT_EQ(boxOf(image)->right, 33);
}

TEST(Shadow, ShadowOpacityScalesWithTheShapes)
{
    auto context = CGBitmapContextCreate(20, 20, 1);
    CGContextSetShadowWithColor(context.get(), CGSizeMake(5, 0), 0, CGColor::white(0, 0.5f));
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(1, 0, 0, 0.5f));
    CGContextFillRect(context.get(), CGRectMake(0, 0, 10, 10));
    auto pixel = CGImageGetPixel(snapshot(context), 12, 5);
    EXPECT_NEAR(pixel.alpha, 64, 2);
}

TEST(Shadow, BlurSoftensAndSpreadsTheShadow)
{
    auto image = squareWithShadow(CGSizeMake(0, 4), 3, black, 2, false);
    auto spread = boxOf(image, [](const CGPixel& pixel) { return pixel.alpha > 0 && pixel.red < 128; });
    ASSERT_TRUE(spread);
    // Beyond the square's sides, and fading: some partly covered pixels.
    EXPECT_LT(spread->left, 40);
    EXPECT_GT(spread->bottom, 68);
    int partial = countOf(image, [](const CGPixel& pixel) { return pixel.alpha > 10 && pixel.alpha < 200; });
    EXPECT_GT(partial, 50);
    // Beside the square only the shadow shows: it is darkest 4 points
    // (8 pixels) below the square's middle.
    std::size_t darkest = 0;
    for (std::size_t y = 0; y < 100; ++y) {
        if (CGImageGetPixel(image, 37, y).alpha > CGImageGetPixel(image, 37, darkest).alpha)
            darkest = y;
    }
    EXPECT_NEAR(static_cast<double>(darkest), 50 + 8, 2);
}

TEST(Shadow, ClearColourTurnsItOffAndDefaultShadowIsTranslucentBlack)
{
    auto none = squareWithShadow(CGSizeMake(0, 4), 0, CGColor {}, 1, false);
    EXPECT_EQ(boxOf(none)->bottom, 30);

    auto context = CGBitmapContextCreate(50, 50, 1);
    CGContextSetShadow(context.get(), CGSizeMake(0, 12), 0);
    CGContextFillRect(context.get(), CGRectMake(20, 20, 10, 10));
    auto pixel = CGImageGetPixel(snapshot(context), 25, 40);
    EXPECT_NEAR(pixel.alpha, 85, 2);
}

TEST(Shadow, AppliesToTextOnePointBelowTheGlyphsInFlippedCoordinates)
{
    auto context = CGBitmapContextCreate(60, 40, 2);
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(0, 0, 1));
    CGContextFillRect(context.get(), CGRectMake(0, 0, 60, 40));
    CGContextTranslateCTM(context.get(), 0, 40);
    CGContextScaleCTM(context.get(), 1, -1);
    CGContextSetShadowWithColor(context.get(), CGSizeMake(0, 1), 0, white);
    CTStringAttributes attributes;
    attributes.font = CTFontCreateWithName("Helvetica-Bold", 22);
    attributes.foregroundColor = black;
    auto frame = CTFramesetterCreateFrame(
        CTFramesetterCreateWithAttributedString(CFAttributedStringCreate("I", attributes)), CFRangeMake(0, 0),
        CGPathCreateWithRect(CGRectMake(0, 0, 60, 40)));
    CTFrameDraw(frame, context.get());
    auto image = snapshot(context);
    auto glyph = boxOf(image, isColored(0, 0, 0, 40));
    auto shadow = boxOf(image, isColored(255, 255, 255, 40));
    ASSERT_TRUE(glyph && shadow);
    // The white copy shows only as a two-pixel strip under the stem.
    EXPECT_EQ(shadow->top, glyph->bottom);
    EXPECT_NEAR(shadow->bottom - glyph->bottom, 2, 1);
    EXPECT_NEAR(shadow->centerX(), glyph->centerX(), 1);
}

} // namespace
