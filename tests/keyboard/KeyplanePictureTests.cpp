// The extension keeps the whole drawn picture of the last keyplanes shown and
// copies it onto the screen when nothing that changes the picture has
// changed. Each test draws with the kept pictures and compares the pixels
// with a drawing made afresh; the invalidation tests first keep a picture,
// then change one thing, and require the new look.
#include "ExtensionTestSupport.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyplaneImageCache.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/graphics/CGBitmapContext.h"

#include <functional>
#include <utility>

namespace {

using namespace extension_test;

constexpr CGFloat deviceScale = 2;

class KeyplanePictures : public ExtensionFixture {
protected:
    // The keyplane view drawn into a bitmap of its size, its origin moved
    // by the offset in points.
    NSData draw(CGPoint offset = { 0, 0 })
    {
        UIView* view = layout()->keyplaneView();
        CGContextPtr context = CGBitmapContextCreate(
            view->frame().width() + offset.x, view->frame().height() + offset.y, deviceScale);
        CGContextTranslateCTM(context.get(), offset.x, offset.y);
        UIGraphicsPushContext(context.get());
        send(view, sel::drawRect, view->bounds());
        UIGraphicsPopContext();
        return CGImageCopyPNGData(CGBitmapContextCreateImage(context.get()));
    }

    NSData drawAfresh(CGPoint offset = { 0, 0 })
    {
        bool kept = std::exchange(extension.gKeyplanePictures, false);
        NSData drawn = draw(offset);
        extension.gKeyplanePictures = kept;
        return drawn;
    }

    // Draws once to keep the picture, lets the change happen, and requires
    // the next drawing to be the fresh one, and that to look different.
    void expectRedrawnAfter(const std::function<void()>& change)
    {
        NSData before = draw();
        ASSERT_EQ(before, drawAfresh());
        change();
        NSData after = draw();
        EXPECT_EQ(after, drawAfresh());
        EXPECT_NE(after, before) << "the change does not alter the picture, so it tests nothing";
    }

    void postSettingsChange(int type, int gesture)
    {
        writeSettings(type, gesture);
        CFNotificationCenterPostNotification(
            CFNotificationCenterGetDarwinNotifyCenter(), settingsChangedNotification, nullptr, nullptr, true);
        NSRunLoop::main().runUntilIdle();
    }
};

TEST_F(KeyplanePictures, KeptPictureGivesTheFreshPixelsOnEveryKindAndOrientation)
{
    startExtension();
    struct Shown {
        int keyboardType;
        CGSize window;
        const char* keyplane;
    };
    for (Shown shown :
        { Shown { 0, portraitWindow, "Small-Letters" }, Shown { 0, landscapeWindow, "Capital-Letters" },
            Shown { 3, portraitWindow, "Numbers-And-Punctuation" },
            Shown { 7, landscapeWindow, "Numbers-And-Punctuation-Alternate" } }) {
        present(shown.keyboardType, shown.window, "QWERTY");
        switchTo(shown.keyplane);
        // Key views drawn within a keyplane drawing take the orientation of
        // the drawing before; after one drawing it is this keyplane's.
        drawAfresh();
        NSData fresh = drawAfresh();
        EXPECT_EQ(draw(), fresh) << shown.keyplane << ", first drawing";
        EXPECT_EQ(draw(), fresh) << shown.keyplane << ", picture kept";
        EXPECT_EQ(KeyplaneImageCache::shared().hits(), 1u);
        KeyplaneImageCache::shared().clear();
    }
}

// A picture lands on whole pixels only; a view half a pixel off is drawn afresh.
TEST_F(KeyplanePictures, ViewsOffTheWholePixelsAreDrawnAfresh)
{
    startExtension();
    present();
    draw();
    for (CGPoint offset : { CGPoint { 0.25f, 0 }, CGPoint { 3, 7 } })
        EXPECT_EQ(draw(offset), drawAfresh(offset)) << offset.x << ", " << offset.y;
}

// Only part of the view is drawn under such a clip: no picture of it is kept.
TEST_F(KeyplanePictures, DrawingClippedToPartOfTheViewKeepsNoPicture)
{
    startExtension();
    present();
    UIView* view = layout()->keyplaneView();
    CGContextPtr context = CGBitmapContextCreate(view->frame().width(), view->frame().height(), deviceScale);
    CGContextClipToRect(context.get(), CGRectMake(0, 0, 40, 40));
    UIGraphicsPushContext(context.get());
    send(view, sel::drawRect, view->bounds());
    UIGraphicsPopContext();
    EXPECT_EQ(draw(), drawAfresh());
}

TEST_F(KeyplanePictures, ShiftAndShiftLockShowTheirOwnPictures)
{
    startExtension();
    present();
    // On the capitals, shift lights the shift key and shift lock brings the
    // shift-lock alternates, the keyplane staying the same.
    switchTo("Capital-Letters");
    expectRedrawnAfter([&] { send(impl(), sel::setShift, true); });
    ASSERT_EQ(send(layout(), sel::keyplaneName).utf8(), "Capital-Letters");
    expectRedrawnAfter([&] { send(impl(), sel::setShiftLocked, true); });
}

TEST_F(KeyplanePictures, SettingsReloadShowsTheNewLabels)
{
    startExtension(2, 0);
    present();
    expectRedrawnAfter([&] { postSettingsChange(1, 0); });
}

TEST_F(KeyplanePictures, LocaleChangeShowsTheNewCurrencySigns)
{
    startExtension();
    present();
    switchTo("Numbers-And-Punctuation");
    expectRedrawnAfter([&] {
        NSLocale::setCurrentLocaleIdentifier("de_DE");
        NSRunLoop::main().runUntilIdle();
        switchTo("Numbers-And-Punctuation");
    });
}

// A key processed again gets new strings while everything else stays as it
// was: only the key loop can tell that the picture is out of date.
TEST_F(KeyplanePictures, KeyProcessedAgainShowsItsNewAlternate)
{
    startExtension();
    present();
    UIKBTree* q = key("q");
    expectRedrawnAfter([&] {
        // The key's marker and the keyplane's memo of its last loop taken
        // away, as a change of conditions would, with a new string to type.
        send(q, sel::properties)->removeObjectForKey(entry::processedTypeMode);
        send(keyplane(), sel::properties)->removeObjectForKey(entry::augmentedUnder);
        send(q, sel::setRepresentedString, NSString("w"));
        switchTo("Small-Letters");
    });
}

TEST_F(KeyplanePictures, AFewKeyplanesAreKeptWhateverTheSwitches)
{
    startExtension();
    present();
    // The pictures of one keyboard in use: the letters, the capitals plain
    // and shift-locked, the numbers and the symbols.
    auto showEach = [&] {
        for (const char* name : { "Small-Letters", "Capital-Letters", "Numbers-And-Punctuation",
                 "Numbers-And-Punctuation-Alternate" }) {
            switchTo(name);
            draw();
            if (std::string(name) == "Capital-Letters") {
                send(impl(), sel::setShiftLocked, true);
                draw();
                send(impl(), sel::setShiftLocked, false);
            }
        }
    };
    showEach();
    showEach();
    unsigned hitsBefore = KeyplaneImageCache::shared().hits();
    showEach();
    EXPECT_EQ(KeyplaneImageCache::shared().hits() - hitsBefore, KeyplaneImageCache::capacity);

    // Another keyboard's keyplane takes the place of the least recently shown.
    present(0, landscapeWindow);
    draw();
    EXPECT_EQ(KeyplaneImageCache::shared().count(), KeyplaneImageCache::capacity);
    switchTo("Numbers-And-Punctuation-Alternate");
    hitsBefore = KeyplaneImageCache::shared().hits();
    draw();
    EXPECT_EQ(KeyplaneImageCache::shared().hits(), hitsBefore);
}

} // namespace
