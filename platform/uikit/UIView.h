#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/graphics/CGColor.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"

#include <optional>

class CGContext;
class UIWindow;

// Autoresizing mask bits, as the platform numbers them.
enum UIViewAutoresizing : unsigned {
    UIViewAutoresizingNone = 0,
    UIViewAutoresizingFlexibleLeftMargin = 1 << 0,
    UIViewAutoresizingFlexibleWidth = 1 << 1,
    UIViewAutoresizingFlexibleRightMargin = 1 << 2,
    UIViewAutoresizingFlexibleTopMargin = 1 << 3,
    UIViewAutoresizingFlexibleHeight = 1 << 4,
    UIViewAutoresizingFlexibleBottomMargin = 1 << 5,
};

// The view messages that subclasses and the extension send or replace.
namespace sel {
inline constinit Selector<CGRect()> frame("frame");
inline constinit Selector<void(CGRect)> setFrame("setFrame:");
inline constinit Selector<NSObject*()> superview("superview");
inline constinit Selector<NSMutableArray*()> subviews("subviews");
inline constinit Selector<NSObject*()> window("window");
inline constinit Selector<void()> setNeedsDisplay("setNeedsDisplay");
inline constinit Selector<void()> setNeedsLayout("setNeedsLayout");
inline constinit Selector<void()> layoutSubviews("layoutSubviews");
inline constinit Selector<void(CGRect)> drawRect("drawRect:");
inline constinit Selector<void()> didMoveToSuperview("didMoveToSuperview");
inline constinit Selector<NSObject*(CGPoint)> hitTest("hitTest:");
} // namespace sel

// Layer properties the toolkit draws: a corner radius for now.
struct CALayer {
    CGFloat cornerRadius { 0 };
    void setCornerRadius(CGFloat radius) { cornerRadius = radius; }
};

// A rectangle on screen in a tree of views. A view holds its subviews (they
// live as long as it keeps them); its superview is a plain back reference that
// the superview clears when it goes. setNeedsDisplay and setNeedsLayout are
// honoured by the window's next display pass, which lays out and then draws.
class PLATFORM_EXPORT UIView : public NSObject {
public:
    static Class* staticClass();
    static RefPtr<UIView> make(CGRect frame = CGRectZero) { return makeRef<UIView>(frame); }

    explicit UIView(CGRect frame = CGRectZero, Class* cls = staticClass());
    ~UIView() override;

    CGRect frame() const { return m_frame; }
    void setFrame(CGRect frame);
    // Origin is the scroll position (zero except in scroll views).
    CGRect bounds() const { return { m_boundsOrigin, m_frame.size }; }
    void setBoundsOrigin(CGPoint origin);

    UIView* superview() const { return m_superview; }
    NSMutableArray* subviews() const { return m_subviews.get(); }
    UIView* subviewAtIndex(std::size_t index) const;
    void addSubview(UIView* view);
    void removeFromSuperview();
    UIWindow* window() const;

    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { m_userInteractionEnabled = enabled; }
    std::optional<CGColor> backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(std::optional<CGColor> color);
    CALayer& layer() { return m_layer; }
    const CALayer& layer() const { return m_layer; }
    unsigned autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(unsigned mask) { m_autoresizingMask = mask; }

    bool needsDisplay() const { return m_needsDisplay; }
    bool needsLayout() const { return m_needsLayout; }
    void setNeedsDisplay();
    void setNeedsLayout();
    // Lays out this view and its subtree where asked for, through the method table.
    void layoutIfNeeded();

    // Deepest visible, interactive view under a point in this view's
    // coordinates, or nothing.
    UIView* hitTest(CGPoint point);
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;

    // Draws this view and its subtree into the context, with the context's
    // origin at this view's top-left corner; clears the display requests.
    void drawHierarchy(CGContext& context);

    // The platform's own implementations of the view messages.
    void layoutSubviewsImpl() { }
    void drawRectImpl(CGRect) { }
    void didMoveToSuperviewImpl() { }

protected:
    // Called when this view's window changes (added to or removed from a window).
    virtual void didMoveToWindow() { }

private:
    CGPoint originInWindow() const;
    void resizeSubviews(CGSize oldSize);
    void notifyWindowChanged();

    CGRect m_frame;
    CGPoint m_boundsOrigin;
    UIView* m_superview { nullptr };
    RefPtr<NSMutableArray> m_subviews;
    std::optional<CGColor> m_backgroundColor;
    CALayer m_layer;
    unsigned m_autoresizingMask { UIViewAutoresizingNone };
    bool m_hidden { false };
    bool m_userInteractionEnabled { true };
    bool m_needsDisplay { true };
    bool m_needsLayout { true };
};
