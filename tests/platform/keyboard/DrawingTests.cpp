#include "KeyboardTestSupport.h"
#include "platform/graphics/CGBitmapContext.h"
#include "platform/keyboard/KeyCapPainter.h"
#include "platform/keyboard/KeyImageCache.h"
#include "platform/keyboard/UIKeyboardCache.h"
#include "platform/substrate/Substrate.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace keyboard_test {
namespace {

int brightness(CGPixel pixel)
{
    return (pixel.red + pixel.green + pixel.blue) / 3;
}

NSString suffixedCacheKey(NSObject* self);
Selector<NSString()>::Implementation previousCacheKey;
NSString suffixedCacheKey(NSObject* self)
{
    return NSString::stringWithFormat(
        "%@_%@", { callImplementation(previousCacheKey, self), NSString("replaced") });
}

class Drawing : public KeyboardFixture {
protected:
    void SetUp() override
    {
        KeyboardFixture::SetUp();
        KeyImageCache::shared().clear();
        present(0);
    }

    // The keyplane view drawn on its own, as the window's display pass draws it.
    CGImageRef drawKeyplane()
    {
        UIKBKeyplaneView* view = layout()->keyplaneView();
        CGContextPtr context = CGBitmapContextCreate(view->frame().width(), view->frame().height());
        UIGraphicsPushContext(context.get());
        send(view, sel::drawRect, view->bounds());
        UIGraphicsPopContext();
        return CGBitmapContextCreateImage(context.get());
    }
    CGImageRef drawWindow()
    {
        CGContextPtr context = CGBitmapContextCreate(window->frame().width(), window->frame().height());
        window->drawHierarchy(*context);
        return CGBitmapContextCreateImage(context.get());
    }
    static int countPixels(const CGImageRef& image, CGRect rect, const std::function<bool(CGPixel)>& test)
    {
        int count = 0;
        for (auto y = static_cast<std::size_t>(rect.minY()); y < static_cast<std::size_t>(rect.maxY()); ++y) {
            for (auto x = static_cast<std::size_t>(rect.minX()); x < static_cast<std::size_t>(rect.maxX());
                 ++x)
                count += test(CGImageGetPixel(image, x, y));
        }
        return count;
    }
    static int darkPixels(const CGImageRef& image, CGRect rect)
    {
        return countPixels(image, rect, [](CGPixel pixel) { return brightness(pixel) < 100; });
    }
    CGPixel capCorner(const CGImageRef& image, const char* keyName) const
    {
        CGRect cap = keyNamed(keyName)->paddedFrame();
        return CGImageGetPixel(
            image, static_cast<std::size_t>(cap.minX() + 5), static_cast<std::size_t>(cap.maxY() - 5));
    }
    void turnCacheOff()
    {
        Selector<bool()>::Implementation previous = nullptr;
        MSHookMessageEx(
            UIKeyboardCache::staticClass()->metaclass(), sel::enabled, [](NSObject*) { return false; },
            &previous);
    }
};

TEST_F(Drawing, KeyCapsStandOnTheBackgroundWithFunctionKeysDarker)
{
    for (bool cached : { true, false }) {
        if (!cached)
            turnCacheOff();
        CGImageRef image = drawKeyplane();
        UIKBTree* q = keyNamed("Latin-Small-Letter-Q");
        CGPixel between = CGImageGetPixel(image, 160, static_cast<std::size_t>(q->paddedFrame().maxY() + 5));
        EXPECT_NEAR(brightness(between), brightness({ 255, 143, 150, 163 }), 6);
        EXPECT_GT(brightness(capCorner(image, "Latin-Small-Letter-Q")), 230);
        EXPECT_LT(brightness(capCorner(image, "Shift-Key")), 150);
        EXPECT_LT(brightness(capCorner(image, "Return-Key")), 150);
    }
}

TEST_F(Drawing, LabelsComeFromTheKeysDisplayStrings)
{
    turnCacheOff();
    CGRect q = keyNamed("Latin-Small-Letter-Q")->paddedFrame();
    CGRect e = keyNamed("Latin-Small-Letter-E")->paddedFrame();
    CGImageRef labelled = drawKeyplane();
    EXPECT_GT(darkPixels(labelled, q), 15);
    // The accent hint sits in the top right corner of a vowel.
    CGRect corner = CGRectMake(e.maxX() - 10, e.minY() + 1, 8, 11);
    EXPECT_GT(countPixels(labelled, corner, [](CGPixel pixel) { return brightness(pixel) < 200; }), 2);

    Selector<NSString()>::Implementation previous = nullptr;
    MSHookMessageEx(
        UIKBTree::staticClass(), sel::displayString, [](NSObject*) { return NSString(); }, &previous);
    MSHookMessageEx(
        UIKBTree::staticClass(), sel::variantDisplayString, [](NSObject*) { return NSString(); }, &previous);
    CGImageRef blank = drawKeyplane();
    EXPECT_EQ(darkPixels(blank, q), 0);
    EXPECT_EQ(countPixels(blank, corner, [](CGPixel pixel) { return brightness(pixel) < 200; }), 0);
}

TEST_F(Drawing, SecondDrawingOfAnUnchangedKeyboardComesFromTheCache)
{
    std::size_t keys = keyplane()->keys()->count();
    CGImageRef first = drawKeyplane();
    EXPECT_EQ(KeyImageCache::shared().misses(), keys);
    EXPECT_EQ(KeyImageCache::shared().hits(), 0u);
    CGImageRef second = drawKeyplane();
    EXPECT_EQ(KeyImageCache::shared().hits(), keys);
    EXPECT_EQ(CGImageCopyPNGData(first), CGImageCopyPNGData(second));

    // With the cache switched off nothing is looked up.
    turnCacheOff();
    CGImageRef direct = drawKeyplane();
    EXPECT_EQ(KeyImageCache::shared().hits() + KeyImageCache::shared().misses(), 2 * keys);
    EXPECT_GT(brightness(capCorner(direct, "Latin-Small-Letter-Q")), 230);
}

TEST_F(Drawing, CachedImagesAreKeptUnderTheKeyViewsCacheKey)
{
    MSHookMessageEx(UIKBKeyView::staticClass(), sel::cacheKey, suffixedCacheKey, &previousCacheKey);
    drawKeyplane();
    std::size_t keys = keyplane()->keys()->count();
    EXPECT_EQ(KeyImageCache::shared().count(), keys);
    UIKBKeyView probe(keyNamed("Latin-Small-Letter-Q")->paddedFrame(), keyNamed("Latin-Small-Letter-Q"), 4);
    EXPECT_TRUE(KeyImageCache::shared().contains(send(&probe, sel::cacheKey)));
    EXPECT_TRUE(send(&probe, sel::cacheKey).utf8().ends_with("_replaced"));
}

TEST_F(Drawing, ShiftAndShiftLockLightTheShiftKey)
{
    for (bool cached : { true, false }) {
        if (!cached)
            turnCacheOff();
        send(impl(), sel::setShiftLocked, false);
        EXPECT_LT(brightness(capCorner(drawKeyplane(), "Shift-Key")), 150);
        send(impl(), sel::setShift, true);
        EXPECT_GT(brightness(capCorner(drawKeyplane(), "Shift-Key")), 230);
        send(impl(), sel::setShiftLocked, true);
        CGPixel locked = capCorner(drawKeyplane(), "Shift-Key");
        EXPECT_GT(locked.blue, locked.red + 60);
    }
    // The numbers keyplane's "#+=" key, in the shift key's place, does not light up.
    send(impl(), sel::setShiftLocked, false);
    send(impl(), sel::setShift, true);
    tap("More-Key");
    ASSERT_EQ(keyplaneName(), "Numbers-And-Punctuation");
    EXPECT_LT(brightness(capCorner(drawKeyplane(), "Shift-Key")), 150);
}

TEST_F(Drawing, LightStyleKeysHaveWhiteLabelsOnDarkerCaps)
{
    present(7);
    turnCacheOff();
    CGImageRef image = drawKeyplane();
    EXPECT_LT(brightness(capCorner(image, "Commercial-At")), 200);
    CGRect at = keyNamed("Commercial-At")->paddedFrame();
    EXPECT_GT(countPixels(image, at, [](CGPixel pixel) { return brightness(pixel) > 245; }), 10);
}

// Which key views drew, and in which state.
std::vector<std::pair<std::string, int>> keyViewDrawings;
Selector<void(CGRect)>::Implementation platformKeyViewDrawRect = nullptr;
void recordingKeyViewDrawRect(NSObject* self, CGRect rect)
{
    keyViewDrawings.emplace_back(send(send(self, sel::key), sel::name).utf8(), send(self, sel::state));
    callImplementation(platformKeyViewDrawRect, self, rect);
}

TEST_F(Drawing, WithoutTheCacheKeysOfDisplayTypeEightAreDrawnThroughKeyViews)
{
    present(7);
    turnCacheOff();
    MSHookMessageEx(
        UIKBKeyView::staticClass(), sel::drawRect, recordingKeyViewDrawRect, &platformKeyViewDrawRect);
    keyViewDrawings.clear();
    CGImageRef image = drawKeyplane();
    EXPECT_EQ(keyViewDrawings,
        (std::vector<std::pair<std::string, int>> {
            { "Commercial-At", UIKBKeyViewStateCap }, { "Full-Stop", UIKBKeyViewStateCap } }));
    // In place, as the keyplane would draw them: the light style's darker cap and white label.
    EXPECT_LT(brightness(capCorner(image, "Full-Stop")), 200);
    EXPECT_GT(countPixels(image, keyNamed("Full-Stop")->paddedFrame(),
                  [](CGPixel pixel) { return brightness(pixel) > 245; }),
        2);
    EXPECT_GT(brightness(capCorner(image, "Latin-Small-Letter-Q")), 230);
}

TEST_F(Drawing, LetterCapsAndTheirPopupsShowCapitalsWithOrWithoutShift)
{
    turnCacheOff();
    auto popupOf = [this](const char* keyName) {
        driver.touchDown(centerOf(keyName));
        RefPtr<UIKBKeyView> popup(popupsInWindow().at(0));
        CGContextPtr context = CGBitmapContextCreate(popup->frame().width(), popup->frame().height());
        popup->drawHierarchy(*context);
        driver.touchCancel();
        return CGImageCopyPNGData(CGBitmapContextCreateImage(context.get()));
    };
    CGRect t = keyNamed("Latin-Small-Letter-T")->paddedFrame();
    CGImageRef small = drawKeyplane();
    auto smallPopup = popupOf("Latin-Small-Letter-T");
    send(impl(), sel::setShift, true);
    ASSERT_EQ(keyplaneName(), "Capital-Letters");
    CGImageRef capital = drawKeyplane();
    EXPECT_EQ(popupOf("Latin-Capital-Letter-T"), smallPopup);
    for (auto y = static_cast<std::size_t>(t.minY()); y < static_cast<std::size_t>(t.maxY()); ++y) {
        for (auto x = static_cast<std::size_t>(t.minX()); x < static_cast<std::size_t>(t.maxX()); ++x)
            ASSERT_EQ(CGImageGetPixel(small, x, y), CGImageGetPixel(capital, x, y)) << x << ", " << y;
    }
}

TEST_F(Drawing, PopupShowsThePressedKeyLargeAboveIt)
{
    CGFloat keyboardTop = window->frame().height() - 216;
    driver.touchDown(centerOf("Latin-Small-Letter-T"));
    RefPtr<UIKBKeyView> popup(popupsInWindow().at(0));
    CGRect head = popup->headRect();
    head.origin = { popup->frame().minX() + head.minX(), popup->frame().minY() + head.minY() };
    CGImageRef pressed = drawWindow();
    EXPECT_GT(darkPixels(pressed, head), 40);
    EXPECT_GT(countPixels(
                  pressed, head, [](CGPixel pixel) { return pixel.alpha == 255 && brightness(pixel) > 240; }),
        200);
    EXPECT_LT(head.maxY(), keyboardTop + keyNamed("Latin-Small-Letter-T")->paddedFrame().minY() + 1);

    // The pop-up shows the string the key types now when it has no label.
    Selector<NSString()>::Implementation previous = nullptr;
    MSHookMessageEx(
        UIKBTree::staticClass(), sel::displayString, [](NSObject*) { return NSString(); }, &previous);
    send(keyNamed("Latin-Small-Letter-T"), sel::setRepresentedString, NSString("1"));
    EXPECT_GT(darkPixels(drawWindow(), head), 20);
    send(keyNamed("Latin-Small-Letter-T"), sel::setRepresentedString, NSString("g"));

    driver.touchUp();
    // Above the keyboard the window shows nothing once the pop-up has gone.
    CGRect aboveKeyboard = CGRectMake(head.minX(), head.minY(), head.width(), keyboardTop - head.minY());
    EXPECT_GT(countPixels(pressed, aboveKeyboard, [](CGPixel pixel) { return pixel.alpha > 0; }), 200);
    CGImageRef released = drawWindow();
    EXPECT_EQ(countPixels(released, aboveKeyboard, [](CGPixel pixel) { return pixel.alpha > 0; }), 0);
}

TEST_F(Drawing, VariantsBalloonHighlightsTheSelectedVariant)
{
    driver.touchDown(centerOf("Latin-Small-Letter-E"));
    NSRunLoop::main().advanceBy(1);
    RefPtr<UIKBVariantsView> variants(layout()->variantsView());
    ASSERT_TRUE(variants);
    CGImageRef image = drawWindow();
    CGRect frame = variants->frame();
    CGPixel selected = CGImageGetPixel(
        image, static_cast<std::size_t>(frame.minX() + 4), static_cast<std::size_t>(frame.midY()));
    CGPixel other = CGImageGetPixel(image, static_cast<std::size_t>(frame.maxX() - variants->cellWidth() / 2),
        static_cast<std::size_t>(frame.minY() + 4));
    EXPECT_GT(selected.blue, selected.red + 60);
    EXPECT_GT(brightness(other), 230);
}

} // namespace
} // namespace keyboard_test
