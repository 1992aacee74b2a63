#include "platform/graphics/CGBitmapContext.h"
#include "tests/platform/graphics/PixelProbe.h"

#include <cmath>
#include <cstring>
#include <gtest/gtest.h>

namespace {

const CGColor red = CGColor::rgb(1, 0, 0);
const CGColor blue = CGColor::rgb(0, 0, 1);

TEST(BitmapContext, SizeInPixelsFollowsTheScaleAndTheTransformationStartsInPoints)
{
    auto single = CGBitmapContextCreate(320, 216, 1);
    auto retina = CGBitmapContextCreate(320, 216, 2);
    auto fractional = CGBitmapContextCreate(10.25f, 3, 2);
    ASSERT_TRUE(single && retina && fractional);
    EXPECT_EQ(CGBitmapContextGetWidth(single.get()), 320u);
    EXPECT_EQ(CGBitmapContextGetHeight(retina.get()), 432u);
    EXPECT_EQ(CGBitmapContextGetWidth(fractional.get()), 21u);
    EXPECT_EQ(CGBitmapContextGetScale(retina.get()), 2);
    EXPECT_EQ(CGContextGetCTM(retina.get()), (CGAffineTransform { 2, 0, 0, 2, 0, 0 }));
    EXPECT_GE(CGBitmapContextGetBytesPerRow(retina.get()), 640u * 4);
}

TEST(BitmapContext, RefusesSizesAndScalesThatMakeNoBitmap)
{
    EXPECT_FALSE(CGBitmapContextCreate(0, 10, 1));
    EXPECT_FALSE(CGBitmapContextCreate(10, -1, 1));
    EXPECT_FALSE(CGBitmapContextCreate(10, 10, 0));
    EXPECT_FALSE(CGBitmapContextCreate(NAN, 10, 1));
    EXPECT_FALSE(CGBitmapContextCreate(10, INFINITY, 1));
    EXPECT_FALSE(CGBitmapContextCreate(20000, 10, 1));
}

TEST(BitmapContext, StartsTransparentAndFillsWhereThePointsAreAtEachScale)
{
    for (CGFloat scale : { 1.0f, 2.0f }) {
        auto context = CGBitmapContextCreate(40, 30, scale);
        EXPECT_FALSE(boxOf(snapshot(context)));
        CGContextSetFillColorWithColor(context.get(), red);
        CGContextFillRect(context.get(), CGRectMake(10, 5, 20, 10));
        auto box = boxOf(snapshot(context));
        ASSERT_TRUE(box);
        EXPECT_EQ(box->left, 10 * scale);
        EXPECT_EQ(box->top, 5 * scale);
        EXPECT_EQ(box->right, 30 * scale);
        EXPECT_EQ(box->bottom, 15 * scale);
        EXPECT_EQ(CGImageGetPixel(snapshot(context), 12 * scale, 6 * scale), (CGPixel { 255, 255, 0, 0 }));
    }
}

TEST(BitmapContext, FillColourStartsOpaqueBlack)
{
    auto context = CGBitmapContextCreate(4, 4, 1);
    CGContextFillRect(context.get(), CGRectMake(0, 0, 4, 4));
    EXPECT_EQ(CGImageGetPixel(snapshot(context), 1, 1), (CGPixel { 255, 0, 0, 0 }));
}

TEST(BitmapContext, TranslateAndScaleMoveLaterDrawing)
{
    auto context = CGBitmapContextCreate(100, 100, 1);
    CGContextTranslateCTM(context.get(), 50, 20);
    CGContextScaleCTM(context.get(), 2, 3);
    EXPECT_EQ(CGContextGetCTM(context.get()), (CGAffineTransform { 2, 0, 0, 3, 50, 20 }));
    CGContextFillRect(context.get(), CGRectMake(1, 1, 5, 5));
    auto box = boxOf(snapshot(context));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->left, 52);
    EXPECT_EQ(box->top, 23);
    EXPECT_EQ(box->width(), 10);
    EXPECT_EQ(box->height(), 15);
}

TEST(BitmapContext, FlippedCoordinatesPutTheOriginAtTheBottomLeft)
{
    auto context = CGBitmapContextCreate(50, 40, 2);
    CGContextTranslateCTM(context.get(), 0, 40);
    CGContextScaleCTM(context.get(), 1, -1);
    CGContextFillRect(context.get(), CGRectMake(0, 0, 10, 5));
    auto box = boxOf(snapshot(context));
    ASSERT_TRUE(box);
    EXPECT_EQ(box->bottom, 80);
    EXPECT_EQ(box->top, 70);
}

TEST(BitmapContext, RestoreBringsBackTransformationFillClipAndShadow)
{
    auto context = CGBitmapContextCreate(60, 60, 1);
    CGContextRef ref = context.get();
    CGContextSetFillColorWithColor(ref, red);
    CGContextSaveGState(ref);
    CGContextTranslateCTM(ref, 30, 30);
    CGContextSetFillColorWithColor(ref, blue);
    CGContextClipToRect(ref, CGRectMake(0, 0, 5, 5));
    CGContextSetShadowWithColor(ref, CGSizeMake(3, 3), 0, CGColor::white(0));
    CGContextFillRect(ref, CGRectMake(0, 0, 20, 20));
    CGContextRestoreGState(ref);
    EXPECT_EQ(CGContextGetCTM(ref), CGAffineTransformIdentity);

    CGContextFillRect(ref, CGRectMake(0, 0, 10, 10));
    auto image = snapshot(context);
    // Red, unclipped, without shadow; the blue square and its shadow clipped.
    EXPECT_EQ(boxOf(image, isColored(255, 0, 0))->right, 10);
    EXPECT_EQ(boxOf(image, isColored(0, 0, 255))->width(), 5);
    EXPECT_FALSE(boxOf(image, isColored(0, 0, 0)));
}

TEST(BitmapContext, UnbalancedRestoreAndMissingContextsAreHarmless)
{
    auto context = CGBitmapContextCreate(10, 10, 1);
    CGContextRestoreGState(context.get());
    CGContextTranslateCTM(context.get(), 2, 0);
    CGContextRestoreGState(context.get());
    EXPECT_EQ(CGContextGetCTM(context.get()).tx, 2);

    CGContextRef none = nullptr;
    CGContextSaveGState(none);
    CGContextFillRect(none, CGRectMake(0, 0, 1, 1));
    CGContextSetShadowWithColor(none, CGSizeMake(0, 1), 0, CGColor::white(1));
    EXPECT_EQ(CGContextGetCTM(none), CGAffineTransformIdentity);
    EXPECT_EQ(CGBitmapContextGetWidth(none), 0u);
    EXPECT_FALSE(CGBitmapContextCreateImage(none));
}

TEST(BitmapContext, ZeroScaleIsRefusedSoTheContextKeepsDrawing)
{
    auto context = CGBitmapContextCreate(10, 10, 1);
    CGContextScaleCTM(context.get(), 0, 1);
    CGContextFillRect(context.get(), CGRectMake(0, 0, 10, 10));
    EXPECT_TRUE(boxOf(snapshot(context)));
}

TEST(BitmapContext, TextMatrixIsKeptOutsideTheSavedState)
{
    auto context = CGBitmapContextCreate(10, 10, 1);
    EXPECT_EQ(CGContextGetTextMatrix(context.get()), CGAffineTransformIdentity);
    CGContextSaveGState(context.get());
    CGContextSetTextMatrix(context.get(), { 1, 0, 0, 1, 5, 0 });
    CGContextRestoreGState(context.get());
    EXPECT_EQ(CGContextGetTextMatrix(context.get()).tx, 5);
}

TEST(BitmapContext, RoundedRectangleLeavesTheCornersOut)
{
    auto context = CGBitmapContextCreate(40, 40, 2);
    CGContextFillRoundedRect(context.get(), CGRectMake(0, 0, 40, 40), 10);
    auto image = snapshot(context);
    EXPECT_EQ(CGImageGetPixel(image, 0, 0).alpha, 0);
    EXPECT_EQ(CGImageGetPixel(image, 79, 79).alpha, 0);
    EXPECT_EQ(CGImageGetPixel(image, 40, 0).alpha, 255);
    EXPECT_EQ(CGImageGetPixel(image, 40, 40).alpha, 255);
    EXPECT_EQ(boxOf(image)->width(), 80);
}

TEST(BitmapContext, StrokeDrawsTheOutlineOnly)
{
    auto context = CGBitmapContextCreate(40, 40, 1);
    CGContextStrokeRect(context.get(), CGRectMake(10, 10, 20, 20), blue, 2);
    auto image = snapshot(context);
    EXPECT_EQ(CGImageGetPixel(image, 9, 20), (CGPixel { 255, 0, 0, 255 }));
    EXPECT_EQ(CGImageGetPixel(image, 20, 10), (CGPixel { 255, 0, 0, 255 }));
    EXPECT_EQ(CGImageGetPixel(image, 20, 20).alpha, 0);
    EXPECT_EQ(boxOf(image)->left, 9);
    EXPECT_EQ(boxOf(image)->right, 31);
}

TEST(BitmapContext, ClipLimitsDrawingAndClearMakesTransparent)
{
    auto context = CGBitmapContextCreate(30, 30, 1);
    CGContextSaveGState(context.get());
    CGContextClipToRect(context.get(), CGRectMake(5, 5, 10, 10));
    CGContextFillRect(context.get(), CGRectMake(0, 0, 30, 30));
    CGContextRestoreGState(context.get());
    auto clipped = boxOf(snapshot(context));
    EXPECT_EQ(clipped->left, 5);
    EXPECT_EQ(clipped->bottom, 15);

    CGContextClearRect(context.get(), CGRectMake(5, 5, 5, 10));
    EXPECT_EQ(boxOf(snapshot(context))->left, 10);
}

TEST(BitmapContext, ClipBoundingBoxIsInUserSpaceAndTheWholeBitmapWithoutClip)
{
    auto context = CGBitmapContextCreate(30, 20, 2);
    CGRect whole = CGContextGetClipBoundingBox(context.get());
    EXPECT_EQ(whole.width(), 30);
    EXPECT_EQ(whole.height(), 20);
    CGContextTranslateCTM(context.get(), 10, 0);
    CGContextClipToRect(context.get(), CGRectMake(2, 3, 4, 5));
    CGRect clip = CGContextGetClipBoundingBox(context.get());
    EXPECT_EQ(clip.minX(), 2);
    EXPECT_EQ(clip.minY(), 3);
    EXPECT_EQ(clip.maxX(), 6);
    EXPECT_EQ(clip.maxY(), 8);
}

TEST(BitmapContext, ImageInRectCopiesWholePixelsOnlyAndKeepsThemAsTheyWere)
{
    auto context = CGBitmapContextCreate(10, 10, 2);
    CGContextTranslateCTM(context.get(), 2, 3);
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(1, 0, 0));
    CGContextFillRect(context.get(), CGRectMake(1, 1, 1, 1));
    CGImageRef image = CGBitmapContextCreateImageInRect(context.get(), CGRectMake(0, 0, 4, 3));
    ASSERT_TRUE(image);
    EXPECT_EQ(CGImageGetWidth(image), 8u);
    EXPECT_EQ(CGImageGetHeight(image), 6u);
    EXPECT_EQ(CGImageGetPixel(image, 2, 2), (CGPixel { 255, 255, 0, 0 }));
    EXPECT_EQ(CGImageGetPixel(image, 1, 2).alpha, 0);
    // Later drawing leaves the snapshot alone.
    CGContextFillRect(context.get(), CGRectMake(0, 0, 4, 3));
    EXPECT_EQ(CGImageGetPixel(image, 1, 2).alpha, 0);

    // Half a pixel off, or reaching past the bitmap's edge: nothing.
    EXPECT_FALSE(CGBitmapContextCreateImageInRect(context.get(), CGRectMake(0.25f, 0, 4, 3)));
    EXPECT_FALSE(CGBitmapContextCreateImageInRect(context.get(), CGRectMake(0, 0, 9, 3)));
    EXPECT_FALSE(CGBitmapContextCreateImageInRect(context.get(), CGRectMake(-3, 0, 2, 2)));
}

TEST(BitmapContext, DataShowsThePixelsAsDrawn)
{
    auto context = CGBitmapContextCreate(3, 2, 1);
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(0, 1, 0));
    CGContextFillRect(context.get(), CGRectMake(2, 1, 1, 1));
    const std::uint8_t* data = CGBitmapContextGetData(context.get());
    std::uint32_t word;
    std::memcpy(&word, data + CGBitmapContextGetBytesPerRow(context.get()) + 8, 4);
    EXPECT_EQ(word, 0xff00ff00u);
    std::memcpy(&word, data, 4);
    EXPECT_EQ(word, 0u);
}

TEST(BitmapContext, CurrentContextIsTheInnermostPushed)
{
    auto outer = CGBitmapContextCreate(1, 1, 1);
    auto inner = CGBitmapContextCreate(1, 1, 1);
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
    UIGraphicsPushContext(outer.get());
    UIGraphicsPushContext(inner.get());
    EXPECT_EQ(UIGraphicsGetCurrentContext(), inner.get());
    UIGraphicsPopContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), outer.get());
    UIGraphicsPopContext();
    UIGraphicsPopContext();
    EXPECT_EQ(UIGraphicsGetCurrentContext(), nullptr);
}

} // namespace
