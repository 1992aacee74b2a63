#include "platform/uikit/UITableViewCellDisclosureIndicator.h"

#include "platform/graphics/CGContext.h"

#include <cmath>

Class* UITableViewCellDisclosureIndicator::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UITableViewCellDisclosureIndicator", UIView::staticClass());
        addMethod<&UITableViewCellDisclosureIndicator::drawRectImpl>(created, sel::drawRect);
        return created;
    }();
    return cls;
}

UITableViewCellDisclosureIndicator::UITableViewCellDisclosureIndicator()
    : UIView({ { 0, 0 }, size }, staticClass())
{
    setUserInteractionEnabled(false);
}

void UITableViewCellDisclosureIndicator::setHighlighted(bool highlighted)
{
    m_highlighted = highlighted;
    setNeedsDisplay();
}

// Two strokes meeting at the right-hand middle, laid down as small squares
// along each diagonal.
void UITableViewCellDisclosureIndicator::drawRectImpl(CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGContextSetFillColorWithColor(context, m_highlighted ? CGColor::white(1) : CGColor::white(0.5F));
    constexpr CGFloat stroke = 3;
    CGFloat reach = rect.height() / 2 - stroke / 2;
    CGFloat tipX = rect.minX() + std::min(rect.width() - stroke, reach);
    for (CGFloat step = 0; step <= reach; step += 0.5F) {
        CGFloat x = tipX - step;
        CGContextFillRect(context, { { x, rect.midY() - stroke / 2 - step }, { stroke, stroke } });
        CGContextFillRect(context, { { x, rect.midY() - stroke / 2 + step }, { stroke, stroke } });
    }
}
