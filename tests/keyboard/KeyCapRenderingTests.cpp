#include "ExtensionTestSupport.h"
#include "keyboard/LabelAttributes.h"
#include "platform/graphics/CGBitmapContext.h"
#include "platform/substrate/Substrate.h"

#include <functional>

namespace {

using namespace extension_test;

int brightness(CGPixel pixel)
{
    return (pixel.red + pixel.green + pixel.blue) / 3;
}
bool isBlackInk(CGPixel pixel)
{
    return pixel.alpha > 200 && brightness(pixel) < 60;
}
// The alternate label's grey: neutral, about half way between black and white.
bool isGreyInk(CGPixel pixel)
{
    int level = brightness(pixel);
    return pixel.alpha > 200 && level > 100 && level < 215 && std::abs(pixel.red - pixel.blue) < 8;
}
bool isWhiteInk(CGPixel pixel)
{
    return brightness(pixel) > 245;
}

class KeyCapRendering : public ExtensionFixture {
protected:
    CGImageRef drawView(UIView* view)
    {
        CGContextPtr context = CGBitmapContextCreate(view->frame().width(), view->frame().height());
        UIGraphicsPushContext(context.get());
        send(view, sel::drawRect, view->bounds());
        UIGraphicsPopContext();
        return CGBitmapContextCreateImage(context.get());
    }
    CGImageRef drawKeyplane() { return drawView(layout()->keyplaneView()); }

    static int count(const CGImageRef& image, CGRect rect, const std::function<bool(CGPixel)>& test)
    {
        int found = 0;
        for (auto y = static_cast<std::size_t>(std::max(0.0f, rect.minY()));
             y < static_cast<std::size_t>(rect.maxY()) && y < CGImageGetHeight(image); ++y) {
            for (auto x = static_cast<std::size_t>(std::max(0.0f, rect.minX()));
                 x < static_cast<std::size_t>(rect.maxX()) && x < CGImageGetWidth(image); ++x)
                found += test(CGImageGetPixel(image, x, y));
        }
        return found;
    }
    // The top 0.37 of the key's padded frame, where the alternate stands, and what lies below.
    static CGRect alternateBand(NSObject* key)
    {
        CGRect padded = send(key, sel::paddedFrame);
        return CGRectMake(padded.minX(), padded.minY(), padded.width(), padded.height() * 0.37f);
    }
    static CGRect mainBand(NSObject* key)
    {
        CGRect padded = send(key, sel::paddedFrame);
        CGFloat top = padded.height() * 0.37f + 1;
        return CGRectMake(padded.minX(), padded.minY() + top, padded.width(), padded.height() - top);
    }
};

TEST_F(KeyCapRendering, AlternateStandsGreyAboveTheBlackMainLabel)
{
    startExtension();
    present();
    CGImageRef image = drawKeyplane();
    for (const char* represented : { "q", "a", "e", "j" }) {
        UIKBTree* shownKey = key(represented);
        EXPECT_GT(count(image, alternateBand(shownKey), isGreyInk), 6) << represented;
        EXPECT_EQ(count(image, alternateBand(shownKey), isBlackInk), 0) << represented;
        EXPECT_GT(count(image, mainBand(shownKey), isBlackInk), 15) << represented;
    }
    EXPECT_FALSE(extension.gLandscape);
}

TEST_F(KeyCapRendering, WithoutAlternateLabelsTheMainLabelStandsAlone)
{
    startExtension(1);
    present();
    ASSERT_FALSE(keyplaneFlags().showAlternateLabels);
    CGImageRef image = drawKeyplane();
    for (const char* represented : { "q", "a", "j" }) {
        CGRect cap = send(key(represented), sel::paddedFrame);
        EXPECT_GT(count(image, cap, isBlackInk), 15) << represented;
        // Nothing grey stands above the main label, whose edge is a pixel of grey at most.
        CGFloat labelTop = cap.minY();
        while (labelTop < cap.maxY()
            && !count(image, CGRectMake(cap.minX(), labelTop, cap.width(), 1), isBlackInk))
            ++labelTop;
        EXPECT_EQ(count(image, CGRectMake(cap.minX(), cap.minY(), cap.width(), labelTop - 1 - cap.minY()),
                      isGreyInk),
            0)
            << represented;
    }
}

TEST_F(KeyCapRendering, InactiveKeyboardIsDrawnByThePlatformAlone)
{
    startExtension();
    present(4);
    CGImageRef withExtension = drawKeyplane();
    runtimeRestoreRegisteredMethods();
    Selector<bool()>::Implementation platformEnabled = nullptr;
    MSHookMessageEx(
        UIKeyboardCache::staticClass()->metaclass(), sel::enabled, [](NSObject*) { return false; },
        &platformEnabled);
    CGImageRef platformOnly = drawKeyplane();
    EXPECT_EQ(CGImageCopyPNGData(withExtension), CGImageCopyPNGData(platformOnly));
}

TEST_F(KeyCapRendering, LightStyleKeysGetWhiteLabels)
{
    startExtension();
    present(3);
    CGImageRef image = drawKeyplane();
    for (const char* name : { "Full-Stop", "Solidus" }) {
        UIKBTree* lightKey = keyOn(keyplane(), name);
        ASSERT_TRUE(lightKey);
        EXPECT_GT(count(image, send(lightKey, sel::paddedFrame), isWhiteInk), 4) << name;
        EXPECT_EQ(count(image, send(lightKey, sel::paddedFrame), isBlackInk), 0) << name;
    }
}

TEST_F(KeyCapRendering, LandscapeIsRecordedByTheKeyplaneDrawing)
{
    startExtension();
    present(0, landscapeWindow);
    drawKeyplane();
    EXPECT_TRUE(extension.gLandscape);
    present(0, portraitWindow);
    drawKeyplane();
    EXPECT_FALSE(extension.gLandscape);
}

TEST_F(KeyCapRendering, LineHeightsFollowTheReferenceHeight)
{
    EXPECT_FLOAT_EQ(singleLabelLineHeight(54, false), static_cast<float>(54 * 0.79));
    EXPECT_FLOAT_EQ(singleLabelLineHeight(54, true), static_cast<float>(54 * 0.82));
    EXPECT_FLOAT_EQ(primaryLabelLineHeight(54), 27);
    EXPECT_FLOAT_EQ(alternateLabelLineHeight(54), static_cast<float>(54 * 0.37));
    auto primary = makeLabelAttributes(LabelStyle::primaryLabel, true, false, 27);
    ASSERT_TRUE(primary);
    EXPECT_EQ(CTFontGetSize(primary->font), 18);
    EXPECT_EQ(primary->paragraphStyle->minimumLineHeight, 27);
    EXPECT_EQ(primary->paragraphStyle->alignment, kCTTextAlignmentCenter);
    EXPECT_EQ(makeLabelAttributes(LabelStyle::alternateLabel, false, true, 10)->foregroundColor,
        CGColor::white(0.5f, 1));
    EXPECT_EQ(
        makeLabelAttributes(LabelStyle::singleLabel, false, true, 10)->foregroundColor, CGColor::white(1));
    EXPECT_FALSE(makeLabelAttributes(static_cast<LabelStyle>(4), false, false, 10));
}

TEST_F(KeyCapRendering, DisplayTypeEightKeysAreLabelledThroughTheirKeyViews)
{
    startExtension();
    present(7);
    // "@" and "." are of display type 8, in the light style: the keyplane
    // draws them through key views, which the extension labels.
    UIKBTree* at = key("@");
    UIKBTree* fullStop = key(".");
    send(at, sel::properties)->setObject(NSString("X"), contract::alternateEntry);
    CGImageRef keyplaneImage = drawKeyplane();
    EXPECT_GT(count(keyplaneImage, alternateBand(at), isGreyInk), 6);
    EXPECT_GT(count(keyplaneImage, mainBand(at), isWhiteInk), 15);
    EXPECT_GT(count(keyplaneImage, send(fullStop, sel::paddedFrame), isWhiteInk), 2);
    EXPECT_EQ(count(keyplaneImage, alternateBand(fullStop), isGreyInk), 0);

    // A key view of its own draws the same labels.
    CGRect padded = send(at, sel::paddedFrame);
    auto cap = makeRef<UIKBKeyView>(padded, at, UIKBKeyViewStateCap);
    CGImageRef capImage = drawView(cap.get());
    EXPECT_GT(count(capImage, CGRectMake(0, 0, padded.width(), padded.height() * 0.37f), isGreyInk), 6);
}

// The pop-up label's ink lies in the top 55 points of the view, within the span.
class PopupLabel : public KeyCapRendering {
protected:
    void expectLabelWithin(const char* represented, CGFloat fromX, CGFloat toX)
    {
        CGPoint start = centerOf(key(represented));
        driver.touchDown(start);
        driver.touchMove({ start.x, start.y - 30 });
        UIKBKeyView* view = popup();
        ASSERT_TRUE(view);
        CGImageRef image = drawView(view);
        CGFloat width = view->frame().width();
        CGFloat left = fromX < 0 ? width + fromX : fromX;
        CGFloat right = toX <= 0 ? width + toX : toX;
        EXPECT_GT(count(image, CGRectMake(left, 0, right - left, 55), isBlackInk), 20) << represented;
        EXPECT_EQ(count(image, CGRectMake(0, 0, left, 55), isBlackInk), 0) << represented;
        EXPECT_EQ(count(image, CGRectMake(right, 0, width - right, 55), isBlackInk), 0) << represented;
        driver.touchUp();
    }
};

TEST_F(PopupLabel, AlternateKeyModeShowsTheLetterAsItsCapShowsIt)
{
    startExtension();
    present();
    auto popupImage = [this](const char* represented) {
        driver.touchDown(centerOf(key(represented)));
        CGImageRef image = drawView(popup());
        driver.touchCancel();
        return CGImageCopyPNGData(image);
    };
    auto small = popupImage("g");
    send(impl(), sel::setShift, true);
    EXPECT_EQ(popupImage("G"), small);
    // "Shifted key" mode shows the string the key types.
    useSettings(1, 0);
    switchTo("Small-Letters");
    EXPECT_NE(popupImage("g"), small);
}

TEST_F(PopupLabel, EdgeKeysHugTheirEdgeAndOthersUseTheWholeWidth)
{
    startExtension();
    present();
    // "q" is at the left edge (bias 29), "p" at the right (bias 21).
    expectLabelWithin("q", 0, 52);
    expectLabelWithin("p", -52, 0);
    expectLabelWithin("g", 0, 0);
}

} // namespace
