#include "platform/uikit/NSStringDrawing.h"

#include "platform/graphics/NSStringDrawing.h"
#include "platform/uikit/UIFont.h"

// The toolkit's enumerations number their cases as the graphics library does.
namespace {

const CTFontRef& fontOf(const UIFont* font)
{
    static const CTFontRef none;
    return font ? font->ctFont() : none;
}

NSLineBreakMode graphicsMode(UILineBreakMode mode)
{
    return static_cast<NSLineBreakMode>(mode);
}

} // namespace

CGSize sizeWithFont(const NSString& text, const UIFont* font)
{
    return sizeWithFont(text, fontOf(font));
}

CGSize sizeWithFontConstrainedToSizeLineBreakMode(
    const NSString& text, const UIFont* font, CGSize size, UILineBreakMode lineBreakMode)
{
    return sizeWithFontConstrainedToSize(text, fontOf(font), size, graphicsMode(lineBreakMode));
}

CGSize drawInRectWithFontLineBreakModeAlignment(const NSString& text, CGRect rect, const UIFont* font,
    UILineBreakMode lineBreakMode, UITextAlignment alignment)
{
    return drawInRect(
        text, rect, fontOf(font), graphicsMode(lineBreakMode), static_cast<NSTextAlignment>(alignment));
}

CGSize drawAtPointWithFont(const NSString& text, CGPoint point, const UIFont* font)
{
    return drawAtPoint(text, point, fontOf(font));
}
