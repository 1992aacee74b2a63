#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/FollowedTouch.h"
#include "platform/uikit/UIView.h"

// A view whose content is larger than itself. The content offset is the
// bounds origin: the point of the content at the view's top-left corner. A
// finger dragged across the view moves the content with it, kept within the
// content plus the content insets; an offset set in code is taken as given.
class PLATFORM_EXPORT UIScrollView : public UIView {
public:
    static Class* staticClass();
    static Ref<UIScrollView> make(CGRect frame) { return makeRef<UIScrollView>(frame); }

    explicit UIScrollView(CGRect frame = CGRectZero, Class* cls = staticClass());

    CGSize contentSize() const { return m_contentSize; }
    void setContentSize(CGSize size);
    CGPoint contentOffset() const { return bounds().origin; }
    void setContentOffset(CGPoint offset);
    // Moves at once; there is nothing on screen to animate between passes.
    void setContentOffsetAnimated(CGPoint offset, bool animated);
    UIEdgeInsets contentInset() const { return m_contentInset; }
    void setContentInset(UIEdgeInsets insets);
    UIEdgeInsets scrollIndicatorInsets() const { return m_scrollIndicatorInsets; }
    void setScrollIndicatorInsets(UIEdgeInsets insets);
    bool isScrollEnabled() const { return m_scrollEnabled; }
    void setScrollEnabled(bool enabled) { m_scrollEnabled = enabled; }

    // The offsets a drag may reach: from minus the top/left insets to the
    // content's far edge plus the bottom/right insets, less the view's size.
    CGPoint minimumContentOffset() const;
    CGPoint maximumContentOffset() const;
    CGPoint clampedContentOffset(CGPoint offset) const;

    bool isDragging() const { return m_draggingTouch.isFollowing(); }
    // Whether the finger has moved far enough, along an axis the content can
    // scroll on, for the scroll view to take it over.
    bool shouldBeginDragging(UITouch* touch) const;
    void beginDragging(UITouch* touch);

    void touchesBeganImpl(NSSet* touches, NSObject* event);
    void touchesMovedImpl(NSSet* touches, NSObject* event);
    void touchesEndedImpl(NSSet* touches, NSObject* event);
    void touchesCancelledImpl(NSSet* touches, NSObject* event);

protected:
    // After every change of the content offset.
    virtual void didScroll() { }

private:
    void dragTo(UITouch* touch);

    CGSize m_contentSize;
    UIEdgeInsets m_contentInset;
    UIEdgeInsets m_scrollIndicatorInsets;
    bool m_scrollEnabled { true };
    // The finger the content follows while dragging.
    FollowedTouch m_draggingTouch;
    CGPoint m_dragStartOffset;
};
