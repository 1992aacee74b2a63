#include "platform/uikit/UIScrollView.h"

#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <cmath>

namespace {
// How far a finger moves before the content follows it.
constexpr CGFloat dragThreshold = 10;
} // namespace

Class* UIScrollView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIScrollView", UIView::staticClass());
        addMethod<&UIScrollView::touchesBeganImpl>(created, sel::touchesBegan);
        addMethod<&UIScrollView::touchesMovedImpl>(created, sel::touchesMoved);
        addMethod<&UIScrollView::touchesEndedImpl>(created, sel::touchesEnded);
        addMethod<&UIScrollView::touchesCancelledImpl>(created, sel::touchesCancelled);
        return created;
    }();
    return cls;
}

UIScrollView::UIScrollView(CGRect frame, Class* cls)
    : UIView(frame, cls)
{
    setClipsToBounds(true);
}

void UIScrollView::setContentSize(CGSize size)
{
    m_contentSize = size;
    setNeedsDisplay();
}

void UIScrollView::setContentOffset(CGPoint offset)
{
    if (offset == contentOffset())
        return;
    setBoundsOrigin(offset);
    didScroll();
}

void UIScrollView::setContentOffsetAnimated(CGPoint offset, bool)
{
    setContentOffset(offset);
}

void UIScrollView::setContentInset(UIEdgeInsets insets)
{
    m_contentInset = insets;
    setNeedsLayout();
}

void UIScrollView::setScrollIndicatorInsets(UIEdgeInsets insets)
{
    m_scrollIndicatorInsets = insets;
    setNeedsDisplay();
}

CGPoint UIScrollView::minimumContentOffset() const
{
    return { -m_contentInset.left, -m_contentInset.top };
}

CGPoint UIScrollView::maximumContentOffset() const
{
    CGPoint minimum = minimumContentOffset();
    CGSize size = frame().size;
    return { std::max(minimum.x, m_contentSize.width + m_contentInset.right - size.width),
        std::max(minimum.y, m_contentSize.height + m_contentInset.bottom - size.height) };
}

CGPoint UIScrollView::clampedContentOffset(CGPoint offset) const
{
    CGPoint minimum = minimumContentOffset();
    CGPoint maximum = maximumContentOffset();
    return { std::clamp(offset.x, minimum.x, maximum.x), std::clamp(offset.y, minimum.y, maximum.y) };
}

bool UIScrollView::shouldBeginDragging(UITouch* touch) const
{
    if (isDragging() || !m_scrollEnabled || !touch)
        return false;
    CGPoint start = touch->startLocationInWindow();
    CGPoint now = touch->locationInWindow();
    CGPoint minimum = minimumContentOffset();
    CGPoint maximum = maximumContentOffset();
    bool scrollsVertically = maximum.y > minimum.y;
    bool scrollsHorizontally = maximum.x > minimum.x;
    return (scrollsVertically && std::fabs(now.y - start.y) > dragThreshold)
        || (scrollsHorizontally && std::fabs(now.x - start.x) > dragThreshold);
}

void UIScrollView::beginDragging(UITouch* touch)
{
    m_draggingTouch.follow(touch);
    m_dragStartOffset = contentOffset();
    dragTo(touch);
}

// The content follows the finger from where it was first pressed.
void UIScrollView::dragTo(UITouch* touch)
{
    CGPoint start = touch->startLocationInWindow();
    CGPoint now = touch->locationInWindow();
    setContentOffset(clampedContentOffset(
        { m_dragStartOffset.x - (now.x - start.x), m_dragStartOffset.y - (now.y - start.y) }));
}

void UIScrollView::touchesBeganImpl(NSSet*, NSObject*) { }

void UIScrollView::touchesMovedImpl(NSSet* touches, NSObject*)
{
    if (UITouch* dragging = m_draggingTouch.in(touches)) {
        dragTo(dragging);
        return;
    }
    if (isDragging())
        return;
    // Moves passed up from a subview are the window's to hand over.
    for (UITouch* touch : touchesOf(touches)) {
        if (touch->view() == this && shouldBeginDragging(touch)) {
            beginDragging(touch);
            return;
        }
    }
}

void UIScrollView::touchesEndedImpl(NSSet* touches, NSObject*)
{
    m_draggingTouch.end(touches);
}

void UIScrollView::touchesCancelledImpl(NSSet* touches, NSObject*)
{
    m_draggingTouch.end(touches);
}
