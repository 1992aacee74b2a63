#include "platform/uikit/UITextFieldClearButton.h"

#include "platform/graphics/CGContext.h"
#include "platform/uikit/NSStringDrawing.h"

Class* UITextFieldClearButton::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UITextFieldClearButton", UIButton::staticClass());
        addMethod<&UITextFieldClearButton::drawRectImpl>(created, sel::drawRect);
        return created;
    }();
    return cls;
}

UITextFieldClearButton::UITextFieldClearButton()
    : UIButton(CGRectMake(0, 0, diameter, diameter), staticClass())
{
}

void UITextFieldClearButton::drawRectImpl(CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGRect circle { { rect.midX() - diameter / 2, rect.midY() - diameter / 2 }, { diameter, diameter } };
    CGContextSetFillColorWithColor(context, CGColor::white(isHighlighted() ? 0.45F : 0.7F));
    CGContextFillRoundedRect(context, circle, diameter / 2);
    CGContextSetFillColorWithColor(context, CGColor::white(1));
    auto font = UIFont::boldSystemFontOfSize(15);
    NSString cross("\u00d7");
    CGSize size = sizeWithFont(cross, font.get());
    drawInRectWithFontLineBreakModeAlignment(cross,
        { { circle.midX() - size.width / 2, circle.midY() - size.height / 2 }, size }, font.get(),
        UILineBreakModeClip, UITextAlignmentCenter);
}
