#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSBundle.h"
#include "platform/graphics/CGBitmapContext.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UIScreen.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

class LabelsAndImages : public testing::Test {
protected:
    void TearDown() override
    {
        UIScreen::mainScreen()->setScale(1);
        runtimeRestoreRegisteredMethods();
    }

    // A bundle folder in the test's device root holding plain PNG images.
    RefPtr<NSBundle> bundleWithImages(std::initializer_list<std::pair<const char*, int>> images)
    {
        std::string folder = DeviceRoot::devicePath("/Library/PreferenceBundles/Images.bundle");
        std::filesystem::create_directories(folder);
        for (auto [file, width] : images) {
            CGContextPtr bitmap
                = CGBitmapContextCreate(static_cast<CGFloat>(width), static_cast<CGFloat>(width) / 2);
            CGContextSetFillColorWithColor(bitmap.get(), CGColor::rgb(1, 0, 0));
            CGContextFillRect(bitmap.get(), CGRectMake(0, 0, 1000, 1000));
            EXPECT_TRUE(CGImageWritePNG(CGBitmapContextCreateImage(bitmap.get()), folder + "/" + file));
        }
        return NSBundle::bundleWithPath(folder);
    }
};

TEST_F(LabelsAndImages, ColourSetFillPaintsWithItsComponentsKeptInRange)
{
    CGContextPtr bitmap = CGBitmapContextCreate(4, 4);
    UIGraphicsPushContext(bitmap.get());
    UIColor::colorWithRedGreenBlueAlpha(76 / 255.0F, 86 / 255.0F, 106 / 255.0F, 1)->setFill();
    CGContextFillRect(bitmap.get(), CGRectMake(0, 0, 2, 4));
    UIColor::colorWithWhiteAlpha(2, 1)->setFill();
    CGContextFillRect(bitmap.get(), CGRectMake(2, 0, 2, 4));
    UIGraphicsPopContext();
    CGImageRef image = CGBitmapContextCreateImage(bitmap.get());
    EXPECT_EQ(CGImageGetPixel(image, 0, 0), (CGPixel { 255, 76, 86, 106 }));
    EXPECT_EQ(CGImageGetPixel(image, 3, 3), (CGPixel { 255, 255, 255, 255 }));
    EXPECT_TRUE(UIColor::clearColor()->CGColor().isClear());
}

TEST_F(LabelsAndImages, FontsAreFoundByPostScriptNameOrNotAtAll)
{
    RefPtr<UIFont> plain = UIFont::fontWithNameSize("HelveticaNeue", 17);
    ASSERT_TRUE(plain);
    EXPECT_EQ(plain->fontName(), NSString("HelveticaNeue"));
    EXPECT_FLOAT_EQ(plain->pointSize(), 17);
    EXPECT_GE(plain->lineHeight(), 17);
    EXPECT_FLOAT_EQ(plain->ascender() - plain->descender(), plain->lineHeight());
    EXPECT_FALSE(UIFont::fontWithNameSize("NoSuchFace-Regular", 17));
    RefPtr<UIFont> bold = UIFont::boldSystemFontOfSize(17);
    EXPECT_GT(sizeWithFont("Alternate key", bold.get()).width,
        sizeWithFont("Alternate key", UIFont::systemFontOfSize(17).get()).width);
}

TEST_F(LabelsAndImages, LabelSizesToItsTextOnOneOrMoreLines)
{
    auto label = UILabel::make();
    label->setFont(UIFont::fontWithNameSize("HelveticaNeue", 15));
    label->setText("by someone and someone else.\nThank you!");
    label->setFrame(CGRectMake(5, 6, 0, 0));
    label->sizeToFit();
    CGFloat line = label->font()->lineHeight();
    EXPECT_EQ(label->frame().origin, CGPointMake(5, 6));
    EXPECT_FLOAT_EQ(label->frame().height(), line);

    label->setNumberOfLines(2);
    label->sizeToFit();
    EXPECT_FLOAT_EQ(label->frame().height(), 2 * line);
    EXPECT_FLOAT_EQ(
        label->frame().width(), sizeWithFont("by someone and someone else.", label->font()).width);

    // Text is centred vertically in a taller label.
    label->setFrame(CGRectMake(0, 0, 300, 100));
    EXPECT_FLOAT_EQ(label->textRectForBounds(label->bounds()).minY(), (100 - 2 * line) / 2);
    label->setText(NSString());
    EXPECT_EQ(label->intrinsicContentSize(), CGSizeMake(0, 0));
}

TEST_F(LabelsAndImages, HighlightedLabelAndImageViewShowTheirHighlightedLooks)
{
    auto label = UILabel::make();
    EXPECT_TRUE(label->backgroundColor());
    label->setHighlightedTextColor(UIColor::whiteColor());
    label->setHighlighted(true);
    EXPECT_TRUE(label->isHighlighted());

    auto bundle = bundleWithImages({ { "Twitter.png", 16 }, { "TwitterHighlighted.png", 16 } });
    RefPtr<UIImage> normal = UIImage::imageNamedInBundle("Twitter.png", bundle.get());
    RefPtr<UIImage> highlighted = UIImage::imageNamedInBundle("TwitterHighlighted.png", bundle.get());
    auto imageView = UIImageView::make(normal, highlighted);
    EXPECT_EQ(imageView->frame(), CGRectMake(0, 0, 16, 8));
    EXPECT_FALSE(imageView->isUserInteractionEnabled());
    EXPECT_EQ(imageView->displayedImage(), normal.get());
    imageView->setHighlighted(true);
    EXPECT_EQ(imageView->displayedImage(), highlighted.get());
    imageView->setHighlightedImage(nullptr);
    EXPECT_EQ(imageView->displayedImage(), normal.get());
}

TEST_F(LabelsAndImages, ImagesPreferTheDoubleScaleFileOnADoubleScaleScreen)
{
    auto bundle = bundleWithImages({ { "Heart.png", 20 }, { "Heart@2x.png", 40 }, { "Logo@2x.png", 60 } });
    RefPtr<UIImage> single = UIImage::imageNamedInBundle("Heart.png", bundle.get());
    ASSERT_TRUE(single);
    EXPECT_FLOAT_EQ(single->scale(), 1);
    EXPECT_EQ(single->size(), CGSizeMake(20, 10));

    UIScreen::mainScreen()->setScale(2);
    RefPtr<UIImage> sharp = UIImage::imageNamedInBundle("Heart", bundle.get());
    ASSERT_TRUE(sharp);
    EXPECT_FLOAT_EQ(sharp->scale(), 2);
    EXPECT_EQ(sharp->size(), CGSizeMake(20, 10));

    // Only a double-scale file: it serves a single-scale screen at its point size.
    UIScreen::mainScreen()->setScale(1);
    RefPtr<UIImage> logo = UIImage::imageNamedInBundle("Logo.png", bundle.get());
    ASSERT_TRUE(logo);
    EXPECT_EQ(logo->size(), CGSizeMake(30, 15));

    EXPECT_FALSE(UIImage::imageNamedInBundle("Missing.png", bundle.get()));
    EXPECT_FALSE(UIImage::imageNamedInBundle("Heart.png", nullptr));
}

// A button that shows only an image reads the image's name to a screen
// reader, as a bar button with an icon does on the platform.
TEST_F(LabelsAndImages, AButtonWithOnlyAnImageIsNamedAfterItsImage)
{
    auto bundle = bundleWithImages({ { "Heart.png", 20 }, { "Logo@2x.png", 60 } });
    auto heart = UIButton::make();
    heart->setImageForState(UIImage::imageNamedInBundle("Heart.png", bundle.get()), UIControlStateNormal);
    EXPECT_TRUE(heart->isAccessibilityElement());
    EXPECT_EQ(heart->accessibilityLabel(), NSString("Heart"));
    EXPECT_EQ(heart->accessibilityTraits(), UIAccessibilityTraitButton);

    auto logo = UIButton::make();
    logo->setImageForState(UIImage::imageNamedInBundle("Logo", bundle.get()), UIControlStateNormal);
    EXPECT_EQ(logo->accessibilityLabel(), NSString("Logo")) << "no scale suffix, folder or type";

    heart->setTitleForState("Share", UIControlStateNormal);
    EXPECT_EQ(heart->accessibilityLabel(), NSString("Share")) << "a title comes first";

    CGContextPtr bitmap = CGBitmapContextCreate(4, 4);
    auto drawn = UIButton::make();
    drawn->setImageForState(
        makeRef<UIImage>(CGBitmapContextCreateImage(bitmap.get()), 1), UIControlStateNormal);
    EXPECT_TRUE(drawn->accessibilityLabel().isNil()) << "an image made in memory has no name";
}

} // namespace
