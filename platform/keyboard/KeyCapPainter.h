#pragma once

#include "platform/foundation/NSString.h"
#include "platform/graphics/CGContext.h"

class NSObject;

// How the platform paints its keyboard: the background, key caps and their
// labels, and the pop-up balloon. Labels come from the key's displayString
// and variantDisplayString, asked through the method table, so a key that
// answers nothing there gets a cap without a label.
class KeyCapPainter {
public:
    static constexpr CGFloat cornerRadius = 5;
    static constexpr CGColor background = CGColor::rgb(0.56f, 0.59f, 0.64f);
    static constexpr CGColor characterCap = CGColor::white(0.98f);
    static constexpr CGColor functionCap = CGColor::rgb(0.40f, 0.43f, 0.49f);
    static constexpr CGColor lightStyleCap = CGColor::rgb(0.47f, 0.53f, 0.62f);
    static constexpr CGColor shiftLockedCap = CGColor::rgb(0.20f, 0.47f, 0.93f);
    static constexpr CGColor characterLabel = CGColor::white(0.0f);

    static void fillBackground(CGContextRef context, CGRect bounds);
    // The key's cap in the given rectangle with its label. shifted and
    // shiftLocked light up the shift key.
    static void drawKey(CGContextRef context, NSObject* key, CGRect cap, bool shifted, bool shiftLocked);
    // The pop-up balloon: a head with the key large, a stem over the cap.
    static void drawPopup(CGContextRef context, NSObject* key, CGRect head, CGRect cap);
    // Text centred in a rectangle, vertically too.
    static void drawCentredText(CGContextRef context, const char* fontName, CGFloat size, CGColor color,
        const NSString& text, CGRect rect);
};
