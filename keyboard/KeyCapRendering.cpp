#include "keyboard/KeyCapRendering.h"

#include "keyboard/DisplacedImplementations.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/KeyCapLabels.h"
#include "keyboard/KeyEligibility.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"
#include "keyboard/KeyplaneImageCache.h"
#include "keyboard/LabelAttributes.h"
#include "platform/graphics/CGBitmapContext.h"
#include "platform/graphics/CTFramesetter.h"

#include <cmath>

namespace {

constexpr CGFloat popupFontSize = 40;
constexpr CGFloat popupLabelHeight = 55;
constexpr CGFloat popupLabelWidth = 52;
constexpr CGFloat popupLabelLandscapeWidth = 68;
// The landscape keyboard wide enough for the pop-up label to ignore its bias.
constexpr CGFloat wideLandscapeWidth = 568;

constexpr CGColor labelShadowColour = CGColor::white(1, 1);
constexpr CGColor lightStyleShadowColour = CGColor::white(0, 0.7f);

// CoreText draws y up: the origin goes to the view's bottom-left corner.
void prepareContext(CGContextRef context, CGFloat viewHeight)
{
    CGContextSetTextMatrix(context, CGAffineTransformIdentity);
    CGContextTranslateCTM(context, 0, viewHeight);
    CGContextScaleCTM(context, 1, -1);
    CGContextSetShadowWithColor(context, CGSizeMake(0, 1), 0, labelShadowColour);
}

void setLightStyleShadow(CGContextRef context)
{
    CGContextSetShadowWithColor(context, CGSizeMake(0, -1), 0, lightStyleShadowColour);
}

bool isShiftLockedForLabels()
{
    return extension.gShiftLockedAlternates && send(activeKeyboardImpl(), sel::isShiftLocked);
}

// The three attribute sets of one drawing, with line heights from h.
struct LabelSets {
    CTStringAttributes single;
    CTStringAttributes primary;
    std::optional<CTStringAttributes> alternate;

    LabelSets(CGFloat h, bool lightStyle)
        : single(
            *attributes(LabelStyle::singleLabel, lightStyle, singleLabelLineHeight(h, extension.gLandscape)))
        , primary(*attributes(LabelStyle::primaryLabel, lightStyle, primaryLabelLineHeight(h)))
        , alternate(extension.gShowAlternateLabels
                  ? attributes(LabelStyle::alternateLabel, lightStyle, alternateLabelLineHeight(h))
                  : std::nullopt)
    {
    }

    // In the orientation the last keyplane drawing saw.
    static std::optional<CTStringAttributes> attributes(LabelStyle style, bool lightStyle, CGFloat lineHeight)
    {
        return makeLabelAttributes(style, extension.gLandscape, lightStyle, lineHeight);
    }

    void draw(
        CGContextRef context, NSObject* key, bool inKeyView, bool shiftLocked, CGFloat referenceHeight) const
    {
        drawKeyCapLabels(context, key, single, primary, alternate, inKeyView, shiftLocked, referenceHeight);
    }
};

void drawLightStyleKeyOnKeyplane(
    CGContextRef context, NSObject* key, CGFloat h, bool shiftLocked, CGFloat keyplaneHeight)
{
    CGContextSaveGState(context);
    setLightStyleShadow(context);
    LabelSets(h, true).draw(context, key, false, shiftLocked, keyplaneHeight);
    CGContextRestoreGState(context);
}

CTStringAttributes popupLabelAttributes()
{
    CTStringAttributes attributes;
    attributes.*kCTFontAttributeName = CTFontCreateWithName("Helvetica-Bold", popupFontSize);
    attributes.*kCTForegroundColorAttributeName = CGColor::white(0);
    attributes.*kCTUnderlineStyleAttributeName = kCTUnderlineStyleNone;
    attributes.*kCTParagraphStyleAttributeName = CTParagraphStyleCreate({
        { kCTParagraphStyleSpecifierAlignment, kCTTextAlignmentCenter },
        { kCTParagraphStyleSpecifierMinimumLineHeight, popupLabelHeight },
        { kCTParagraphStyleSpecifierMaximumLineHeight, popupLabelHeight },
    });
    return attributes;
}

// Left edge and width of the pop-up label: keys at the keyboard's edges have
// their pop-up's head leaning inwards, and the label follows it.
std::pair<CGFloat, CGFloat> popupLabelSpan(NSObject* key, CGFloat viewWidth)
{
    if (send(activeKeyboardImpl(), sel::currentLandscapeWidth) == wideLandscapeWidth && extension.gLandscape)
        return { 0, viewWidth };
    NSMutableDictionary* cache = send(key, sel::cache);
    int bias = cache ? cache->objectForKey(entry::popupBias).intValue() : 0;
    CGFloat width = extension.gLandscape ? popupLabelLandscapeWidth : popupLabelWidth;
    if (bias == UIKBPopupBiasRightEdge)
        return { viewWidth - width, width };
    if (bias == UIKBPopupBiasLeftEdge)
        return { 0, width };
    return { 0, viewWidth };
}

void drawPopupLabel(CGContextRef context, NSObject* key, CGRect viewFrame)
{
    NSString text = send(key, sel::representedString);
    if (text.isNil())
        return;
    if (extension.gTypeMode == TypeMode::AlternateKey)
        text = text.uppercaseString();
    NSAttributedString attributed = CFAttributedStringCreate(text, popupLabelAttributes());
    auto [x, width] = popupLabelSpan(key, viewFrame.width());
    CGRect area = CGRectMake(x, viewFrame.height() - popupLabelHeight, width, popupLabelHeight);
    CTFrameRef frame = CTFramesetterCreateFrame(CTFramesetterCreateWithAttributedString(attributed),
        CFRangeMake(0, static_cast<CFIndex>(text.length())), CGPathCreateWithRect(area));
    CTFrameDraw(frame, context);
}

void drawKeyCap(CGContextRef context, NSObject* key)
{
    CGFloat h = send(key, sel::paddedFrame).height();
    bool shiftLocked = isShiftLockedForLabels();
    bool light = send(key, sel::displayTypeHint) == UIKBDisplayTypeHintLightStyle;
    LabelSets sets(h, light);
    if (light)
        setLightStyleShadow(context);
    sets.draw(context, key, true, shiftLocked, h);
}

// The platform's drawing of the keyplane and the labels on top of it.
void drawKeyplane(NSObject* keyplaneView, CGRect rect)
{
    callImplementation(gDisplaced<keyplaneViewDrawRectReplacement>, keyplaneView, rect);
    if (!extension.gAugmentationActive)
        return;

    // The orientation holds for all later drawing, key views included.
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGFloat viewHeight = send(keyplaneView, sel::frame).height();
    extension.gLandscape = viewHeight == send(activeKeyboardImpl(), sel::currentLandscapeHeight);
    prepareContext(context, viewHeight);

    RefPtr<NSMutableArray> keys(send(send(keyplaneView, sel::keyplane), sel::keys));
    bool shiftLocked = isShiftLockedForLabels();
    if (!countOf(keys.get()))
        return;
    CGFloat h = send(elementAt(keys.get(), 0).object(), sel::paddedFrame).height();

    // One set of attributes serves every key of the drawing.
    LabelSets shared(h, false);

    // Only keys of display type 0 get labels on the keyplane; those of
    // type 8 are drawn through key views, which label them.
    for (std::size_t index = 0; index < countOf(keys.get()); ++index) {
        Value key = keys->objectAtIndex(index);
        if (send(key.object(), sel::displayType) != UIKBKeyDisplayTypeString)
            continue;
        int hint = send(key.object(), sel::displayTypeHint);
        if (hint == UIKBDisplayTypeHintNoAugmentation)
            continue;
        if (hint == UIKBDisplayTypeHintLightStyle)
            drawLightStyleKeyOnKeyplane(context, key.object(), h, shiftLocked, viewHeight);
        else
            shared.draw(context, key.object(), false, shiftLocked, viewHeight);
    }
}

// A picture copied onto a context lands on the same pixels a drawing would
// only where one point is a whole number of pixels on both axes and the view
// starts on a pixel: anywhere else the view is drawn afresh.
bool drawsOnWholePixels(CGContextRef context, CGFloat scale)
{
    CGAffineTransform transform = CGContextGetCTM(context);
    return scale > 0 && transform.a == scale && transform.d == scale && transform.b == 0 && transform.c == 0
        && transform.tx == std::floor(transform.tx) && transform.ty == std::floor(transform.ty);
}

void drawPicture(CGContextRef context, CGRect bounds, const CGImageRef& picture)
{
    // The picture already holds every shadow; the context's own must not fall again.
    CGContextSaveGState(context);
    CGContextSetShadowWithColor(context, CGSizeMake(0, 0), 0, CGColor::white(0, 0));
    CGContextDrawImage(context, bounds, picture);
    CGContextRestoreGState(context);
}

} // namespace

void keyplaneViewDrawRectReplacement(NSObject* keyplaneView, CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGFloat scale = CGBitmapContextGetScale(context);
    if (!extension.gAugmentationActive || !extension.gKeyplanePictures
        || !drawsOnWholePixels(context, scale)) {
        drawKeyplane(keyplaneView, rect);
        return;
    }

    // A picture kept from an earlier drawing stands for the platform's
    // drawing and the labels alike; the orientation is still recorded, as
    // key views drawn later read it.
    CGRect frame = send(keyplaneView, sel::frame);
    CGRect bounds = CGRectMake(0, 0, frame.width(), frame.height());
    bool landscape = frame.height() == send(activeKeyboardImpl(), sel::currentLandscapeHeight);
    auto conditions = KeyplanePictureConditions::current(frame.size, scale, landscape);
    NSObject* keyplane = send(keyplaneView, sel::keyplane);
    KeyplaneImageCache& cache = KeyplaneImageCache::shared();
    if (CGImageRef picture = cache.pictureFor(keyplane, conditions)) {
        extension.gLandscape = landscape;
        drawPicture(context, bounds, picture);
        return;
    }

    // Drawn in place, and its pixels kept: the background fills the whole
    // view first, so they do not depend on what lay beneath. Under a clip
    // that leaves out part of the view they would be incomplete.
    CGContextSaveGState(context);
    drawKeyplane(keyplaneView, rect);
    CGContextRestoreGState(context);
    CGRect clip = CGContextGetClipBoundingBox(context);
    if (clip.minX() > 0 || clip.minY() > 0 || clip.maxX() < bounds.maxX() || clip.maxY() < bounds.maxY())
        return;
    if (CGImageRef picture = CGBitmapContextCreateImageInRect(context, bounds))
        cache.keepPicture(keyplane, conditions, std::move(picture));
}

void keyViewDrawRectReplacement(NSObject* keyView, CGRect rect)
{
    callImplementation(gDisplaced<keyViewDrawRectReplacement>, keyView, rect);
    NSObject* key = send(keyView, sel::key);
    if (!extension.gAugmentationActive || !isEligibleKey(key))
        return;

    CGContextRef context = UIGraphicsGetCurrentContext();
    CGRect viewFrame = send(keyView, sel::frame);
    prepareContext(context, viewFrame.height());

    switch (send(keyView, sel::state)) {
    case UIKBKeyViewStatePopup:
        drawPopupLabel(context, key, viewFrame);
        break;
    case UIKBKeyViewStateCap:
        drawKeyCap(context, key);
        break;
    default:
        break;
    }
}
