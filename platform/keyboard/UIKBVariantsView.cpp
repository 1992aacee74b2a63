#include "platform/keyboard/UIKBVariantsView.h"

#include "platform/keyboard/KeyCapPainter.h"

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
    // The finger that opened it slides over it; the layout controller follows that finger.
    setUserInteractionEnabled(false);
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

void UIKBVariantsView::drawRect(CGRect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGRect bounds = CGRectMake(0, 0, frame().width(), frame().height());
    CGContextSaveGState(context);
    CGContextSetShadowWithColor(context, { 0, 1 }, 2, CGColor::white(0, 0.35f));
    CGContextSetFillColorWithColor(context, KeyCapPainter::characterCap);
    CGContextFillRoundedRect(context, bounds, KeyCapPainter::cornerRadius * 2);
    CGContextRestoreGState(context);
    CGFloat cell = cellWidth();
    for (std::size_t index = 0; index < m_variants->count(); ++index) {
        CGRect cellRect = CGRectMake(cell * static_cast<CGFloat>(index), 0, cell, bounds.height());
        bool selected = index == m_selectedIndex;
        if (selected) {
            CGContextSetFillColorWithColor(context, KeyCapPainter::shiftLockedCap);
            CGContextFillRoundedRect(context, cellRect, KeyCapPainter::cornerRadius);
        }
        KeyCapPainter::drawCentredText(context, "Helvetica", 24,
            selected ? CGColor::white(1) : KeyCapPainter::characterLabel,
            m_variants->objectAtIndex(index).string(), cellRect);
    }
}
