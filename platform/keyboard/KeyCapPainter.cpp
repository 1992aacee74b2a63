#include "platform/keyboard/KeyCapPainter.h"

#include "platform/graphics/CTFont.h"
#include "platform/graphics/NSStringDrawing.h"
#include "platform/keyboard/UIKBTree.h"

namespace {

constexpr CGColor capShadow = CGColor::white(0.0f, 0.35f);
constexpr CGColor lightStyleTextShadow = CGColor::white(0.0f, 0.7f);
constexpr CGColor variantHint = CGColor::white(0.45f);

bool isCharacterType(int type)
{
    return type == UIKBKeyDisplayTypeString || type == UIKBKeyDisplayTypeDynamicString;
}

} // namespace

void KeyCapPainter::fillBackground(CGContextRef context, CGRect bounds)
{
    CGContextSetFillColorWithColor(context, background);
    CGContextFillRect(context, bounds);
}

void KeyCapPainter::drawCentredText(CGContextRef context, const char* fontName, CGFloat size, CGColor color,
    const NSString& text, CGRect rect)
{
    if (text.isNil() || text.isEmpty())
        return;
    CTFontRef font = CTFontCreateWithName(fontName, size);
    CGSize measured = sizeWithFont(text, font);
    CGFloat top = rect.midY() - measured.height / 2;
    CGContextSetFillColorWithColor(context, color);
    drawInRect(text, CGRectMake(rect.minX(), top, rect.width(), measured.height), font, NSLineBreakByClipping,
        NSTextAlignmentCenter);
}

void KeyCapPainter::drawKey(CGContextRef context, NSObject* key, CGRect cap, bool shifted, bool shiftLocked)
{
    int type = send(key, sel::displayType);
    bool character = isCharacterType(type);
    bool lightStyle = send(key, sel::displayTypeHint) == UIKBDisplayTypeHintLightStyle;
    // Only the letters' shift key lights up; the numbers keyplanes' shift keys switch keyplanes.
    bool shiftLit = type == UIKBKeyDisplayTypeShift && shifted
        && send(key, sel::properties)->objectForKey(UIKBProperty::keyplaneSwitch).isNil();

    CGColor fill = character && !lightStyle ? characterCap : lightStyle ? lightStyleCap : functionCap;
    CGColor text = character && !lightStyle ? characterLabel : CGColor::white(1.0f);
    if (shiftLit) {
        fill = shiftLocked ? shiftLockedCap : characterCap;
        text = shiftLocked ? CGColor::white(1.0f) : characterLabel;
    }

    CGContextSaveGState(context);
    CGContextSetShadowWithColor(context, { 0, 1 }, 0, capShadow);
    CGContextSetFillColorWithColor(context, fill);
    CGContextFillRoundedRect(context, cap, cornerRadius);
    CGContextRestoreGState(context);

    NSString label = send(key, sel::displayString);
    CGContextSaveGState(context);
    if (lightStyle)
        CGContextSetShadowWithColor(context, { 0, -1 }, 0, lightStyleTextShadow);
    bool singleCharacter = label.length() == 1;
    drawCentredText(context, singleCharacter ? "Helvetica" : "Helvetica-Bold", singleCharacter ? 22 : 15,
        text, label, cap);
    CGContextRestoreGState(context);

    NSString variant = send(key, sel::variantDisplayString);
    if (!variant.isNil()) {
        CTFontRef font = CTFontCreateWithName("Helvetica", 9);
        CGContextSetFillColorWithColor(context, variantHint);
        drawInRect(variant, CGRectMake(cap.minX() + 2, cap.minY(), cap.width() - 4, 14), font,
            NSLineBreakByClipping, NSTextAlignmentRight);
    }
}

void KeyCapPainter::drawPopup(CGContextRef context, NSObject* key, CGRect head, CGRect cap)
{
    // The neck joins the head to the stem over the key cap.
    CGRect neck = CGRectMake(
        cap.minX(), head.maxY() - cornerRadius * 2, cap.width(), cap.minY() - head.maxY() + cornerRadius * 3);
    auto fillBalloon = [&] {
        CGContextFillRoundedRect(context, head, cornerRadius * 2);
        CGContextFillRoundedRect(context, cap, cornerRadius);
        CGContextFillRect(context, neck);
    };
    CGContextSaveGState(context);
    CGContextSetFillColorWithColor(context, characterCap);
    CGContextSetShadowWithColor(context, { 0, 1 }, 2, capShadow);
    fillBalloon();
    // A second pass without shadow covers the parts' shadows on each other.
    CGContextSetShadowWithColor(context, { 0, 0 }, 0, CGColor {});
    fillBalloon();
    CGContextRestoreGState(context);

    // A key whose display string is withheld gets a balloon without a label;
    // whoever withholds it draws its own.
    NSString label = send(key, sel::displayString);
    drawCentredText(context, "Helvetica", 36, characterLabel, label, head);
}
