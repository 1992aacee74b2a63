#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/graphics/CGColor.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"
#include "platform/uikit/UIAccessibility.h"

#include <cstdint>
#include <optional>

class CGContext;
class NSSet;
class UIColor;
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
inline constinit Selector<CGSize(CGSize)> sizeThatFits("sizeThatFits:");

// Touches reach the view under the finger as a set of the UITouch objects
// that changed; a view that does not handle them passes them on to its
// superview, as the platform's responder chain does. The event argument is
// always nothing: each touch describes itself.
inline constinit Selector<void(NSSet*, NSObject*)> touchesBegan("touchesBegan:withEvent:");
inline constinit Selector<void(NSSet*, NSObject*)> touchesMoved("touchesMoved:withEvent:");
inline constinit Selector<void(NSSet*, NSObject*)> touchesEnded("touchesEnded:withEvent:");
inline constinit Selector<void(NSSet*, NSObject*)> touchesCancelled("touchesCancelled:withEvent:");

// The first responder receives typing; at most one view per window is it.
inline constinit Selector<bool()> canBecomeFirstResponder("canBecomeFirstResponder");
inline constinit Selector<bool()> becomeFirstResponder("becomeFirstResponder");
inline constinit Selector<bool()> resignFirstResponder("resignFirstResponder");
inline constinit Selector<bool()> isFirstResponder("isFirstResponder");
inline constinit Selector<bool(bool)> endEditing("endEditing:");
} // namespace sel

// Layer properties the toolkit draws: a corner radius for now.
struct CALayer {
    CGFloat cornerRadius { 0 };
    void setCornerRadius(CGFloat radius) { cornerRadius = radius; }
};

// A rectangle on screen in a tree of views. A view holds its subviews (they
// live as long as it keeps them); its superview is a weak back reference, so
// it reads as nothing once the superview is gone. setNeedsDisplay and setNeedsLayout are
// honoured by the window's next display pass, which lays out and then draws.
class PLATFORM_EXPORT UIView : public NSObject {
public:
    static Class* staticClass();
    static Ref<UIView> make(CGRect frame = CGRectZero) { return makeRef<UIView>(frame); }

    explicit UIView(CGRect frame = CGRectZero, Class* cls = staticClass());
    ~UIView() override;

    CGRect frame() const { return m_frame; }
    void setFrame(CGRect frame);
    // Counts the changes to where any view is in its window (a frame, a scroll
    // position, a view added, moved, taken away or gone), so that a point
    // converted between views can be kept until the next one.
    static std::uint64_t geometryGeneration() { return s_geometryGeneration; }
    // Origin is the scroll position (zero except in scroll views).
    CGRect bounds() const { return { m_boundsOrigin, m_frame.size }; }
    void setBoundsOrigin(CGPoint origin);

    UIView* superview() const { return m_superview.get(); }
    NSMutableArray* subviews() const { return m_subviews.get(); }
    std::size_t subviewCount() const { return m_subviews->count(); }
    UIView* subviewAtIndex(std::size_t index) const;
    void addSubview(RefPtr<UIView> view);
    // Behind the subviews at and after index (the end when past it).
    void insertSubviewAtIndex(RefPtr<UIView> view, std::size_t index);
    void bringSubviewToFront(UIView* view);
    void removeFromSuperview();
    bool isDescendantOfView(const UIView* view) const;
    UIWindow* window() const;

    bool isHidden() const { return m_hidden; }
    void setHidden(bool hidden);
    bool isUserInteractionEnabled() const { return m_userInteractionEnabled; }
    void setUserInteractionEnabled(bool enabled) { m_userInteractionEnabled = enabled; }
    bool clipsToBounds() const { return m_clipsToBounds; }
    void setClipsToBounds(bool clips);
    std::optional<CGColor> backgroundColor() const { return m_backgroundColor; }
    void setBackgroundColor(std::optional<CGColor> color);
    // Nothing clears the background, as a nil colour does.
    void setBackgroundColor(UIColor* color);
    CALayer& layer() { return m_layer; }
    const CALayer& layer() const { return m_layer; }
    unsigned autoresizingMask() const { return m_autoresizingMask; }
    void setAutoresizingMask(unsigned mask) { m_autoresizingMask = mask; }
    int tag() const { return m_tag; }
    void setTag(int tag) { m_tag = tag; }

    bool needsDisplay() const { return m_needsDisplay; }
    bool needsLayout() const { return m_needsLayout; }
    void setNeedsDisplay();
    void setNeedsLayout();
    // Lays out this view and its subtree where asked for, through the method table.
    void layoutIfNeeded();

    // The size the view would like within the given one (sizeThatFits:), and
    // resizing the frame to it, keeping the origin.
    CGSize sizeThatFits(CGSize size) { return send(this, sel::sizeThatFits, size); }
    void sizeToFit();

    // Deepest visible, interactive view under a point in this view's
    // coordinates, or nothing.
    UIView* hitTest(CGPoint point);
    CGPoint convertPointToView(CGPoint point, const UIView* view) const;
    CGPoint convertPointFromView(CGPoint point, const UIView* view) const;
    CGRect convertRectToView(CGRect rect, const UIView* view) const;

    // Typing focus (through the method table, so subclasses decide).
    bool becomeFirstResponder() { return send(this, sel::becomeFirstResponder); }
    bool resignFirstResponder() { return send(this, sel::resignFirstResponder); }
    bool isFirstResponder() const;
    // Makes the first responder inside this view's subtree resign; answers
    // whether one did.
    bool endEditing(bool force) { return send(this, sel::endEditing, force); }

    // Draws this view and its subtree into the context, with the context's
    // origin at this view's top-left corner; clears the display requests.
    void drawHierarchy(CGContext& context);

    // What a screen reader finds here, through the method table, so that
    // subclasses decide; setting a property overrides the class's default.
    bool isAccessibilityElement() { return send(this, sel::isAccessibilityElement); }
    NSString accessibilityLabel() { return send(this, sel::accessibilityLabel); }
    NSString accessibilityValue() { return send(this, sel::accessibilityValue); }
    UIAccessibilityTraits accessibilityTraits() { return send(this, sel::accessibilityTraits); }
    void setIsAccessibilityElement(bool isElement) { m_isAccessibilityElement = isElement; }
    void setAccessibilityLabel(NSString label) { m_accessibilityLabel = std::move(label); }
    void setAccessibilityTraits(UIAccessibilityTraits traits) { m_accessibilityTraits = traits; }

    // The platform's own implementations of the view messages.
    void layoutSubviewsImpl() { }
    void drawRectImpl(CGRect) { }
    void didMoveToSuperviewImpl() { }
    CGSize sizeThatFitsImpl(CGSize) { return m_frame.size; }
    void touchesBeganImpl(NSSet* touches, NSObject* event);
    void touchesMovedImpl(NSSet* touches, NSObject* event);
    void touchesEndedImpl(NSSet* touches, NSObject* event);
    void touchesCancelledImpl(NSSet* touches, NSObject* event);
    bool canBecomeFirstResponderImpl() { return false; }
    bool becomeFirstResponderImpl();
    bool resignFirstResponderImpl();
    bool endEditingImpl(bool force);
    // A plain view is no element and has no label, value or traits.
    bool isAccessibilityElementImpl() { return m_isAccessibilityElement.value_or(false); }
    NSString accessibilityLabelImpl() { return m_accessibilityLabel.value_or(NSString()); }
    NSString accessibilityValueImpl() { return {}; }
    UIAccessibilityTraits accessibilityTraitsImpl()
    {
        return m_accessibilityTraits.value_or(UIAccessibilityTraitNone);
    }

protected:
    // What was set explicitly, for subclasses whose defaults differ.
    const std::optional<bool>& explicitIsAccessibilityElement() const { return m_isAccessibilityElement; }
    const std::optional<NSString>& explicitAccessibilityLabel() const { return m_accessibilityLabel; }
    const std::optional<UIAccessibilityTraits>& explicitAccessibilityTraits() const
    {
        return m_accessibilityTraits;
    }

    // Called when this view's window changes (added to or removed from a window).
    virtual void didMoveToWindow() { }

private:
    static void geometryChanged() { ++s_geometryGeneration; }
    CGPoint originInWindow() const;
    void resizeSubviews(CGSize oldSize);
    void notifyWindowChanged();
    void detachFromSuperview();

    static std::uint64_t s_geometryGeneration;
    CGRect m_frame;
    CGPoint m_boundsOrigin;
    WeakPtr<UIView> m_superview;
    RefPtr<NSMutableArray> m_subviews;
    std::optional<CGColor> m_backgroundColor;
    CALayer m_layer;
    unsigned m_autoresizingMask { UIViewAutoresizingNone };
    int m_tag { 0 };
    bool m_hidden { false };
    bool m_userInteractionEnabled { true };
    bool m_clipsToBounds { false };
    bool m_needsDisplay { true };
    bool m_needsLayout { true };
    std::optional<bool> m_isAccessibilityElement;
    std::optional<NSString> m_accessibilityLabel;
    std::optional<UIAccessibilityTraits> m_accessibilityTraits;
};
