#include "platform/uikit/UITableViewCellGroupedBackground.h"

#include "platform/graphics/CGContext.h"

namespace {
constexpr CGColor borderColor = CGColor::white(0.67F);
constexpr CGColor separatorColor = CGColor::white(0.8F);
constexpr CGColor cellColor = CGColor::white(1);
} // namespace

Class* UITableViewCellGroupedBackground::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UITableViewCellGroupedBackground", UIView::staticClass());
        addMethod<&UITableViewCellGroupedBackground::drawRectImpl>(created, sel::drawRect);
        return created;
    }();
    return cls;
}

UITableViewCellGroupedBackground::UITableViewCellGroupedBackground()
    : UIView(CGRectZero, staticClass())
{
    setUserInteractionEnabled(false);
}

void UITableViewCellGroupedBackground::setGroupPosition(bool grouped, UITableViewCellGroupPosition position)
{
    m_grouped = grouped;
    m_position = position;
    setNeedsDisplay();
}

void UITableViewCellGroupedBackground::setFillColor(std::optional<CGColor> selectionColor)
{
    m_selectionColor = selectionColor;
    setNeedsDisplay();
}

void UITableViewCellGroupedBackground::setOutlineHidden(bool hidden)
{
    m_outlineHidden = hidden;
    setNeedsDisplay();
}

CGRect UITableViewCellGroupedBackground::shapeRect(CGRect rect) const
{
    // Corners that must stay square are pushed outside the clip.
    constexpr CGFloat overhang = 2 * cornerRadius;
    switch (m_position) {
    case UITableViewCellGroupPosition::Top:
        return { rect.origin, { rect.width(), rect.height() + overhang } };
    case UITableViewCellGroupPosition::Bottom:
        return { { rect.minX(), rect.minY() - overhang }, { rect.width(), rect.height() + overhang } };
    case UITableViewCellGroupPosition::Middle:
        return { { rect.minX(), rect.minY() - overhang }, { rect.width(), rect.height() + 2 * overhang } };
    case UITableViewCellGroupPosition::Alone:
        break;
    }
    return rect;
}

void UITableViewCellGroupedBackground::drawRectImpl(CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    bool lastInGroup = m_position == UITableViewCellGroupPosition::Alone
        || m_position == UITableViewCellGroupPosition::Bottom;
    if (m_outlineHidden && !m_selectionColor)
        return;
    CGContextClipToRect(context, rect);
    if (!m_grouped) {
        CGContextSetFillColorWithColor(context, m_selectionColor.value_or(cellColor));
        CGContextFillRect(context, rect);
        CGContextSetFillColorWithColor(context, separatorColor);
        CGContextFillRect(context, { { rect.minX(), rect.maxY() - 1 }, { rect.width(), 1 } });
        return;
    }
    CGRect shape = shapeRect(rect);
    if (!m_outlineHidden) {
        CGContextSetFillColorWithColor(context, borderColor);
        CGContextFillRoundedRect(context, shape, cornerRadius);
    }
    CGRect inner { { shape.minX() + 1, shape.minY() + 1 }, { shape.width() - 2, shape.height() - 2 } };
    CGContextSetFillColorWithColor(context, m_selectionColor.value_or(cellColor));
    CGContextFillRoundedRect(context, inner, cornerRadius - 1);
    if (!lastInGroup && !m_outlineHidden) {
        CGContextSetFillColorWithColor(context, separatorColor);
        CGContextFillRect(context, { { rect.minX() + 1, rect.maxY() - 1 }, { rect.width() - 2, 1 } });
    }
}
