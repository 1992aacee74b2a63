#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/CGImage.h"
#include "tests/platform/graphics/PixelProbe.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <unistd.h>

namespace {

class ImageFiles : public testing::Test {
protected:
    void SetUp() override
    {
        m_directory = std::filesystem::temp_directory_path()
            / ("corvane-images-" + std::to_string(getpid()) + "-"
                + testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(m_directory);
    }
    void TearDown() override { std::filesystem::remove_all(m_directory); }

    std::string path(const char* name) const { return (m_directory / name).string(); }

private:
    std::filesystem::path m_directory;
};

// An image of four square quadrants `side` pixels wide: red, green / blue,
// half-clear white.
CGImageRef quadrants(CGFloat side = 1)
{
    auto context = CGBitmapContextCreate(2 * side, 2 * side, 1);
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(1, 0, 0));
    CGContextFillRect(context.get(), CGRectMake(0, 0, side, side));
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(0, 1, 0));
    CGContextFillRect(context.get(), CGRectMake(side, 0, side, side));
    CGContextSetFillColorWithColor(context.get(), CGColor::rgb(0, 0, 1));
    CGContextFillRect(context.get(), CGRectMake(0, side, side, side));
    CGContextSetFillColorWithColor(context.get(), CGColor::white(1, 0.5f));
    CGContextFillRect(context.get(), CGRectMake(side, side, side, side));
    return CGBitmapContextCreateImage(context.get());
}

TEST(Image, PixelsReadBackUnpremultipliedAndTransparentOutside)
{
    CGImageRef image = quadrants();
    EXPECT_EQ(CGImageGetWidth(image), 2u);
    EXPECT_EQ(CGImageGetHeight(image), 2u);
    EXPECT_EQ(CGImageGetPixel(image, 0, 0).argb(), 0xffff0000u);
    EXPECT_EQ(CGImageGetPixel(image, 1, 0).argb(), 0xff00ff00u);
    EXPECT_EQ(CGImageGetPixel(image, 0, 1).argb(), 0xff0000ffu);
    CGPixel translucent = CGImageGetPixel(image, 1, 1);
    EXPECT_NEAR(translucent.alpha, 128, 1);
    EXPECT_EQ(translucent.red, 255);
    EXPECT_EQ(CGImageGetPixel(image, 2, 0), CGPixel {});
    EXPECT_EQ(CGImageGetPixel(nullptr, 0, 0), CGPixel {});
    EXPECT_EQ(CGImageGetWidth(nullptr), 0u);
}

TEST(Image, SnapshotDoesNotChangeWithLaterDrawing)
{
    auto context = CGBitmapContextCreate(4, 4, 1);
    CGImageRef before = CGBitmapContextCreateImage(context.get());
    CGContextFillRect(context.get(), CGRectMake(0, 0, 4, 4));
    EXPECT_EQ(CGImageGetPixel(before, 1, 1).alpha, 0);
    EXPECT_EQ(CGImageGetPixel(CGBitmapContextCreateImage(context.get()), 1, 1).alpha, 255);
}

TEST_F(ImageFiles, PNGRoundTripsThroughBytesAndFilesAtBothScales)
{
    for (CGFloat scale : { 1.0f, 2.0f }) {
        auto context = CGBitmapContextCreate(3, 2, scale);
        CGContextSetFillColorWithColor(context.get(), CGColor::rgb(0.2f, 0.4f, 0.6f, 0.8f));
        CGContextFillRect(context.get(), CGRectMake(1, 0, 2, 1));
        CGImageRef image = CGBitmapContextCreateImage(context.get());

        NSData bytes = CGImageCopyPNGData(image);
        ASSERT_GT(bytes.size(), 8u);
        EXPECT_EQ(bytes[1], 'P');
        CGImageRef decoded = CGImageCreateWithPNGData(bytes);
        ASSERT_TRUE(decoded);

        ASSERT_TRUE(CGImageWritePNG(image, path("image.png")));
        CGImageRef loaded = CGImageCreateWithPNGFile(path("image.png"));
        ASSERT_TRUE(loaded);
        EXPECT_EQ(CGImageGetWidth(loaded), 3 * static_cast<std::size_t>(scale));
        EXPECT_EQ(CGImageGetHeight(loaded), 2 * static_cast<std::size_t>(scale));
        for (std::size_t y = 0; y < CGImageGetHeight(image); ++y) {
            for (std::size_t x = 0; x < CGImageGetWidth(image); ++x) {
                EXPECT_EQ(CGImageGetPixel(loaded, x, y), CGImageGetPixel(image, x, y));
                EXPECT_EQ(CGImageGetPixel(decoded, x, y), CGImageGetPixel(image, x, y));
            }
        }
    }
}

TEST_F(ImageFiles, UnreadableInputGivesNoImageAndUnwritablePathsReportFailure)
{
    std::vector<std::uint8_t> garbage { 'n', 'o', 't', ' ', 'p', 'n', 'g' };
    EXPECT_FALSE(CGImageCreateWithPNGData(garbage));
    EXPECT_FALSE(CGImageCreateWithPNGData({}));
    NSData truncated = CGImageCopyPNGData(quadrants());
    truncated.resize(truncated.size() / 2);
    EXPECT_FALSE(CGImageCreateWithPNGData(truncated));
    EXPECT_FALSE(CGImageCreateWithPNGFile(path("missing.png")));
    std::ofstream(path("text.png")) << "plain text";
    EXPECT_FALSE(CGImageCreateWithPNGFile(path("text.png")));

    EXPECT_FALSE(CGImageWritePNG(quadrants(), path("no/such/folder/out.png")));
    EXPECT_FALSE(CGImageWritePNG(nullptr, path("out.png")));
    EXPECT_TRUE(CGImageCopyPNGData(nullptr).empty());
}

TEST(Image, DrawingScalesTheImageIntoTheRectangleUpright)
{
    auto context = CGBitmapContextCreate(40, 40, 2);
    CGContextDrawImage(context.get(), CGRectMake(10, 10, 20, 10), quadrants(10));
    auto image = snapshot(context);
    // 20 × 20 pixels into 40 × 20 pixels: each quadrant 20 × 10, red top-left.
    auto red = boxOf(image, isColored(255, 0, 0, 2));
    auto blue = boxOf(image, isColored(0, 0, 255, 2));
    ASSERT_TRUE(red && blue);
    EXPECT_EQ(red->left, 20);
    EXPECT_EQ(red->top, 20);
    EXPECT_NEAR(red->width(), 20, 2);
    EXPECT_NEAR(red->height(), 10, 2);
    EXPECT_NEAR(blue->top, 30, 2);
    EXPECT_EQ(blue->bottom, 40);
    EXPECT_EQ(boxOf(image)->right, 60);
}

TEST(Image, DrawnImagesCastTheShadowOfTheirOwnShape)
{
    auto context = CGBitmapContextCreate(20, 20, 1);
    CGContextSetShadowWithColor(context.get(), CGSizeMake(0, 4), 0, CGColor::rgb(1, 1, 0));
    CGContextDrawImage(context.get(), CGRectMake(0, 0, 4, 4), quadrants(2));
    auto image = snapshot(context);
    auto shadow = boxOf(image, isColored(255, 255, 0, 0));
    ASSERT_TRUE(shadow);
    EXPECT_EQ(shadow->top, 4);
    EXPECT_EQ(shadow->bottom, 8);
    // Under the half-clear quadrant the shadow is half as strong.
    EXPECT_NEAR(CGImageGetPixel(image, 3, 7).alpha, 128, 2);
    EXPECT_EQ(CGImageGetPixel(image, 1, 7).alpha, 255);
}

} // namespace
