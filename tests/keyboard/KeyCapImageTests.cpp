// The extension's drawing against reference images made before its drawing
// was made cheaper: the keyplane in both orientations and on every kind of
// keyboard, the pop-up and the key cap, pixel for pixel. A deliberate change
// of look writes them anew with CORVANE_WRITE_REFERENCE_IMAGES=1.
#include "ExtensionTestSupport.h"
#include "keyboard/KeyplaneImageCache.h"
#include "platform/graphics/CGBitmapContext.h"

#include <cstdlib>
#include <filesystem>

namespace {

using namespace extension_test;

constexpr CGFloat deviceScale = 2;

std::filesystem::path referenceFolder()
{
    return std::filesystem::path(CORVANE_SOURCE_DIR) / "tests/keyboard/reference-images";
}

bool writingReferences()
{
    const char* write = std::getenv("CORVANE_WRITE_REFERENCE_IMAGES");
    return write && std::string(write) == "1";
}

class KeyCapImages : public ExtensionFixture {
protected:
    CGImageRef drawView(UIView* view)
    {
        CGContextPtr context
            = CGBitmapContextCreate(view->frame().width(), view->frame().height(), deviceScale);
        UIGraphicsPushContext(context.get());
        send(view, sel::drawRect, view->bounds());
        UIGraphicsPopContext();
        return CGBitmapContextCreateImage(context.get());
    }

    // The pop-up "q" shows once a flick has reached its alternate.
    CGImageRef drawPopupAfterFlick(const char* represented)
    {
        CGPoint start = centerOf(key(represented));
        driver.touchDown(start);
        driver.touchMove({ start.x, start.y - 30 });
        CGImageRef image = drawView(popup());
        driver.touchCancel();
        return image;
    }

    void expectSameAsReference(const std::string& name, const CGImageRef& image)
    {
        ASSERT_TRUE(image) << name;
        std::filesystem::path reference = referenceFolder() / (name + ".png");
        if (writingReferences()) {
            std::filesystem::create_directories(referenceFolder());
            ASSERT_TRUE(CGImageWritePNG(image, reference.string())) << reference;
            return;
        }
        CGImageRef expected = CGImageCreateWithPNGFile(reference.string());
        ASSERT_TRUE(expected) << "no reference image " << reference;
        ASSERT_EQ(CGImageGetWidth(image), CGImageGetWidth(expected)) << name;
        ASSERT_EQ(CGImageGetHeight(image), CGImageGetHeight(expected)) << name;
        std::size_t differing = 0;
        std::string first;
        for (std::size_t y = 0; y < CGImageGetHeight(image); ++y) {
            for (std::size_t x = 0; x < CGImageGetWidth(image); ++x) {
                if (CGImageGetPixel(image, x, y) == CGImageGetPixel(expected, x, y))
                    continue;
                if (!differing++)
                    first = "(" + std::to_string(x) + ", " + std::to_string(y) + ")";
            }
        }
        if (differing) {
            std::filesystem::path drawn
                = std::filesystem::temp_directory_path() / ("corvane-drawn-" + name + ".png");
            EXPECT_TRUE(CGImageWritePNG(image, drawn.string()));
            ADD_FAILURE() << name << ": " << differing << " pixels differ from " << reference
                          << ", the first at " << first << "; the drawing is in " << drawn;
        }
    }

    // Drawn twice: the second drawing is the picture the first one kept. Key
    // views drawn within a keyplane drawing take the orientation of the
    // drawing before, so that is put back for the second.
    void expectKeyplaneAsReference(const std::string& name)
    {
        bool landscapeBefore = extension.gLandscape;
        expectSameAsReference(name, drawView(layout()->keyplaneView()));
        extension.gLandscape = landscapeBefore;
        unsigned hits = KeyplaneImageCache::shared().hits();
        SCOPED_TRACE("from the kept picture");
        expectSameAsReference(name, drawView(layout()->keyplaneView()));
        EXPECT_EQ(KeyplaneImageCache::shared().hits(), hits + 1) << name;
    }
};

TEST_F(KeyCapImages, LettersKeyplanesInBothOrientations)
{
    startExtension();
    present(0, portraitWindow, "QWERTY");
    expectKeyplaneAsReference("qwerty-small-portrait");
    // The capitals' caps look like the small letters' until shift lock
    // brings the shift-lock alternates.
    switchTo("Capital-Letters");
    send(impl(), sel::setShiftLocked, true);
    expectKeyplaneAsReference("qwerty-capital-shift-locked-portrait");

    present(0, landscapeWindow, "QWERTY");
    expectKeyplaneAsReference("qwerty-small-landscape");
    present(0, landscapeWindow, "QWERTZ");
    expectKeyplaneAsReference("qwertz-small-landscape");
    present(0, portraitWindow, "AZERTY");
    expectKeyplaneAsReference("azerty-small-portrait");
}

TEST_F(KeyCapImages, NumbersKeyplanesAndAnotherLocale)
{
    startExtension();
    NSLocale::setCurrentLocaleIdentifier("de_DE");
    present(0, portraitWindow, "QWERTZ");
    expectKeyplaneAsReference("qwertz-small-de-portrait");
    switchTo("Numbers-And-Punctuation");
    expectKeyplaneAsReference("numbers-de-portrait");
    present(0, landscapeWindow, "QWERTZ");
    switchTo("Numbers-And-Punctuation-Alternate");
    expectKeyplaneAsReference("numbers-alternate-de-landscape");
}

TEST_F(KeyCapImages, WebAddressAndEmailKeyboards)
{
    startExtension();
    present(3, portraitWindow, "QWERTY");
    expectKeyplaneAsReference("url-small-portrait");
    present(7, landscapeWindow, "QWERTY");
    expectKeyplaneAsReference("email-small-landscape");
    UIKBTree* at = key("@");
    CGRect padded = send(at, sel::paddedFrame);
    expectSameAsReference(
        "email-at-cap", drawView(makeRef<UIKBKeyView>(padded, at, UIKBKeyViewStateCap).get()));
}

TEST_F(KeyCapImages, ShiftedKeyModeShowsNoAlternatesOnLetters)
{
    startExtension(1, 2);
    present(0, portraitWindow, "QWERTY");
    expectKeyplaneAsReference("shifted-mode-small-portrait");
    switchTo("Numbers-And-Punctuation");
    expectKeyplaneAsReference("shifted-mode-numbers-portrait");
}

TEST_F(KeyCapImages, PopupsAndCaps)
{
    startExtension();
    present(0, portraitWindow, "QWERTY");
    expectSameAsReference("popup-q-flicked-portrait", drawPopupAfterFlick("q"));
    expectSameAsReference("popup-p-flicked-portrait", drawPopupAfterFlick("p"));
    UIKBTree* q = key("q");
    CGRect padded = send(q, sel::paddedFrame);
    expectSameAsReference(
        "q-cap-portrait", drawView(makeRef<UIKBKeyView>(padded, q, UIKBKeyViewStateCap).get()));

    present(0, landscapeWindow, "QWERTY");
    drawView(layout()->keyplaneView());
    expectSameAsReference("popup-g-flicked-landscape", drawPopupAfterFlick("g"));
}

} // namespace
