#include "platform/uikit/UIColor.h"

#include "platform/graphics/CGContext.h"

#include <algorithm>

namespace {

CGFloat clampComponent(CGFloat component)
{
    return std::clamp(component, 0.0F, 1.0F);
}

} // namespace

Class* UIColor::staticClass()
{
    static Class* cls = objc_allocateClass("UIColor", NSObject::staticClass());
    return cls;
}

UIColor::UIColor(::CGColor color)
    : NSObject(staticClass())
    , m_color { clampComponent(color.red), clampComponent(color.green), clampComponent(color.blue),
        clampComponent(color.alpha) }
{
}

RefPtr<UIColor> UIColor::clearColor()
{
    return colorWithWhiteAlpha(0, 0);
}

RefPtr<UIColor> UIColor::whiteColor()
{
    return colorWithWhiteAlpha(1, 1);
}

RefPtr<UIColor> UIColor::blackColor()
{
    return colorWithWhiteAlpha(0, 1);
}

RefPtr<UIColor> UIColor::darkTextColor()
{
    return colorWithWhiteAlpha(0, 1);
}

RefPtr<UIColor> UIColor::lightGrayColor()
{
    return colorWithWhiteAlpha(2.0F / 3.0F, 1);
}

RefPtr<UIColor> UIColor::grayColor()
{
    return colorWithWhiteAlpha(0.5F, 1);
}

RefPtr<UIColor> UIColor::colorWithWhiteAlpha(CGFloat white, CGFloat alpha)
{
    return makeRef<UIColor>(::CGColor::white(white, alpha));
}

RefPtr<UIColor> UIColor::colorWithRedGreenBlueAlpha(CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha)
{
    return makeRef<UIColor>(::CGColor::rgb(red, green, blue, alpha));
}

void UIColor::setFill() const
{
    CGContextSetFillColorWithColor(UIGraphicsGetCurrentContext(), m_color);
}
