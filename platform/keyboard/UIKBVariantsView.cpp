#include "platform/keyboard/UIKBVariantsView.h"

#include <cmath>

Class* UIKBVariantsView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKBVariantsView", UIView::staticClass());
        addMethod<&UIKBVariantsView::drawRect>(created, sel::drawRect);
        return created;
    }();
    return cls;
}

UIKBVariantsView::UIKBVariantsView(CGRect frame, RefPtr<NSMutableArray> variants)
    : UIView(frame, staticClass())
    , m_variants(std::move(variants))
{
}

CGFloat UIKBVariantsView::cellWidth() const
{
    std::size_t count = m_variants->count();
    return count ? frame().width() / static_cast<CGFloat>(count) : frame().width();
}

void UIKBVariantsView::selectAtPoint(CGPoint point)
{
    std::size_t count = m_variants->count();
    if (!count)
        return;
    CGFloat cell = std::floor(point.x / cellWidth());
    std::size_t index = cell <= 0 ? 0 : static_cast<std::size_t>(cell);
    std::size_t selected = index < count ? index : count - 1;
    if (selected != m_selectedIndex) {
        m_selectedIndex = selected;
        setNeedsDisplay();
    }
}

void UIKBVariantsView::drawRect(CGRect) { }
