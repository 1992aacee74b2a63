#include "platform/uikit/UIView.h"

#include "platform/graphics/CGContext.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIWindow.h"

Class* UIView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIView", NSObject::staticClass());
        addMethod<&UIView::frame>(created, sel::frame);
        addMethod<&UIView::setFrame>(created, sel::setFrame);
        addMethod(created, sel::superview,
            [](NSObject* self) -> NSObject* { return static_cast<UIView*>(self)->superview(); });
        addMethod<&UIView::subviews>(created, sel::subviews);
        addMethod(created, sel::window,
            [](NSObject* self) -> NSObject* { return static_cast<UIView*>(self)->window(); });
        addMethod<&UIView::setNeedsDisplay>(created, sel::setNeedsDisplay);
        addMethod<&UIView::setNeedsLayout>(created, sel::setNeedsLayout);
        addMethod<&UIView::layoutSubviewsImpl>(created, sel::layoutSubviews);
        addMethod<&UIView::drawRectImpl>(created, sel::drawRect);
        addMethod<&UIView::didMoveToSuperviewImpl>(created, sel::didMoveToSuperview);
        addMethod(created, sel::hitTest, [](NSObject* self, CGPoint point) -> NSObject* {
            return static_cast<UIView*>(self)->hitTest(point);
        });
        addMethod<&UIView::sizeThatFitsImpl>(created, sel::sizeThatFits);
        addMethod<&UIView::touchesBeganImpl>(created, sel::touchesBegan);
        addMethod<&UIView::touchesMovedImpl>(created, sel::touchesMoved);
        addMethod<&UIView::touchesEndedImpl>(created, sel::touchesEnded);
        addMethod<&UIView::touchesCancelledImpl>(created, sel::touchesCancelled);
        addMethod<&UIView::canBecomeFirstResponderImpl>(created, sel::canBecomeFirstResponder);
        addMethod<&UIView::becomeFirstResponderImpl>(created, sel::becomeFirstResponder);
        addMethod<&UIView::resignFirstResponderImpl>(created, sel::resignFirstResponder);
        addMethod<&UIView::isFirstResponder>(created, sel::isFirstResponder);
        addMethod<&UIView::endEditingImpl>(created, sel::endEditing);
        addMethod<&UIView::isAccessibilityElementImpl>(created, sel::isAccessibilityElement);
        addMethod<&UIView::setIsAccessibilityElement>(created, sel::setIsAccessibilityElement);
        addMethod<&UIView::accessibilityLabelImpl>(created, sel::accessibilityLabel);
        addMethod<&UIView::setAccessibilityLabel>(created, sel::setAccessibilityLabel);
        addMethod<&UIView::accessibilityValueImpl>(created, sel::accessibilityValue);
        addMethod<&UIView::accessibilityTraitsImpl>(created, sel::accessibilityTraits);
        addMethod<&UIView::setAccessibilityTraits>(created, sel::setAccessibilityTraits);
        return created;
    }();
    return cls;
}

std::uint64_t UIView::s_geometryGeneration = 0;

UIView::UIView(CGRect frame, Class* cls)
    : NSObject(cls)
    , m_frame(frame)
    , m_subviews(NSMutableArray::array())
{
}

UIView::~UIView()
{
    geometryChanged();
    for (const Value& value : *m_subviews)
        static_cast<UIView*>(value.object())->m_superview = nullptr;
}

void UIView::setFrame(CGRect frame)
{
    if (frame == m_frame)
        return;
    CGSize oldSize = m_frame.size;
    m_frame = frame;
    geometryChanged();
    if (!(oldSize == frame.size)) {
        resizeSubviews(oldSize);
        setNeedsLayout();
        setNeedsDisplay();
    }
    if (m_superview)
        m_superview->setNeedsDisplay();
}

void UIView::setBoundsOrigin(CGPoint origin)
{
    m_boundsOrigin = origin;
    geometryChanged();
    setNeedsDisplay();
}

UIView* UIView::subviewAtIndex(std::size_t index) const
{
    return static_cast<UIView*>(m_subviews->objectAtIndex(index).object());
}

void UIView::addSubview(RefPtr<UIView> view)
{
    insertSubviewAtIndex(std::move(view), m_subviews->count());
}

void UIView::insertSubviewAtIndex(RefPtr<UIView> view, std::size_t index)
{
    if (!view || view == this || isDescendantOfView(view.get()))
        return;
    bool moving = view->m_superview != nullptr;
    if (moving)
        view->detachFromSuperview();
    std::vector<Value> siblings = m_subviews->values();
    index = std::min(index, siblings.size());
    siblings.insert(siblings.begin() + static_cast<std::ptrdiff_t>(index), Value(RefPtr<NSObject>(view)));
    m_subviews->removeAllObjects();
    for (Value& value : siblings)
        m_subviews->addObject(std::move(value));
    view->m_superview = this;
    geometryChanged();
    view->notifyWindowChanged();
    send(view, sel::didMoveToSuperview);
    setNeedsDisplay();
}

void UIView::bringSubviewToFront(UIView* view)
{
    if (view && view->m_superview == this)
        insertSubviewAtIndex(RefPtr(view), m_subviews->count());
}

void UIView::detachFromSuperview()
{
    auto& siblings = *m_superview->m_subviews;
    std::vector<Value> remaining;
    for (const Value& value : siblings) {
        if (value.object() != this)
            remaining.push_back(value);
    }
    siblings.removeAllObjects();
    for (Value& value : remaining)
        siblings.addObject(std::move(value));
    m_superview->setNeedsDisplay();
    m_superview = nullptr;
    geometryChanged();
}

void UIView::removeFromSuperview()
{
    if (!m_superview)
        return;
    RefPtr<UIView> keepAlive(this);
    // A view leaving the screen gives up the keyboard it had.
    if (UIWindow* owner = window()) {
        if (UIView* responder = owner->firstResponder(); responder && responder->isDescendantOfView(this))
            send(responder, sel::resignFirstResponder);
    }
    detachFromSuperview();
    notifyWindowChanged();
    send(this, sel::didMoveToSuperview);
}

bool UIView::isDescendantOfView(const UIView* view) const
{
    for (const UIView* current = this; current; current = current->m_superview.get()) {
        if (current == view)
            return true;
    }
    return false;
}

UIWindow* UIView::window() const
{
    const UIView* view = this;
    while (view->m_superview)
        view = view->m_superview.get();
    return runtimeCast<UIWindow>(const_cast<UIView*>(view));
}

void UIView::setHidden(bool hidden)
{
    if (m_hidden == hidden)
        return;
    m_hidden = hidden;
    if (m_superview)
        m_superview->setNeedsDisplay();
}

void UIView::setBackgroundColor(std::optional<CGColor> color)
{
    m_backgroundColor = color;
    setNeedsDisplay();
}

void UIView::setBackgroundColor(UIColor* color)
{
    setBackgroundColor(color ? std::optional<CGColor>(color->CGColor()) : std::nullopt);
}

void UIView::setClipsToBounds(bool clips)
{
    m_clipsToBounds = clips;
    setNeedsDisplay();
}

void UIView::sizeToFit()
{
    CGSize size = sizeThatFits(m_frame.size);
    setFrame({ m_frame.origin, size });
}

bool UIView::isFirstResponder() const
{
    UIWindow* owner = window();
    return owner && owner->firstResponder() == this;
}

bool UIView::becomeFirstResponderImpl()
{
    UIWindow* owner = window();
    if (!owner || !send(this, sel::canBecomeFirstResponder))
        return false;
    UIView* current = owner->firstResponder();
    if (current == this)
        return true;
    if (current && !send(current, sel::resignFirstResponder))
        return false;
    owner->setFirstResponder(this);
    return true;
}

bool UIView::resignFirstResponderImpl()
{
    if (UIWindow* owner = window(); owner && owner->firstResponder() == this)
        owner->setFirstResponder(nullptr);
    return true;
}

bool UIView::endEditingImpl(bool)
{
    UIWindow* owner = window();
    UIView* responder = owner ? owner->firstResponder() : nullptr;
    if (!responder || !responder->isDescendantOfView(this))
        return false;
    return send(responder, sel::resignFirstResponder);
}

// A view that does not handle a touch passes it to the next responder.
void UIView::touchesBeganImpl(NSSet* touches, NSObject* event)
{
    send(m_superview, sel::touchesBegan, touches, event);
}

void UIView::touchesMovedImpl(NSSet* touches, NSObject* event)
{
    send(m_superview, sel::touchesMoved, touches, event);
}

void UIView::touchesEndedImpl(NSSet* touches, NSObject* event)
{
    send(m_superview, sel::touchesEnded, touches, event);
}

void UIView::touchesCancelledImpl(NSSet* touches, NSObject* event)
{
    send(m_superview, sel::touchesCancelled, touches, event);
}

void UIView::setNeedsDisplay()
{
    m_needsDisplay = true;
    if (UIWindow* owner = window())
        owner->scheduleDisplayPass();
}

void UIView::setNeedsLayout()
{
    m_needsLayout = true;
    if (UIWindow* owner = window())
        owner->scheduleDisplayPass();
}

void UIView::layoutIfNeeded()
{
    if (m_needsLayout) {
        m_needsLayout = false;
        send(this, sel::layoutSubviews);
    }
    // Layout may add or remove subviews; walk a snapshot.
    std::vector<RefPtr<UIView>> children;
    for (const Value& value : *m_subviews)
        children.emplace_back(static_cast<UIView*>(value.object()));
    for (auto& child : children)
        child->layoutIfNeeded();
}

UIView* UIView::hitTest(CGPoint point)
{
    if (m_hidden || !m_userInteractionEnabled)
        return nullptr;
    if (!CGRectMake(m_boundsOrigin.x, m_boundsOrigin.y, m_frame.size.width, m_frame.size.height)
             .contains(point))
        return nullptr;
    for (std::size_t index = m_subviews->count(); index-- > 0;) {
        UIView* child = subviewAtIndex(index);
        CGPoint local { point.x - child->m_frame.origin.x + child->m_boundsOrigin.x,
            point.y - child->m_frame.origin.y + child->m_boundsOrigin.y };
        if (auto* hit = static_cast<UIView*>(send(child, sel::hitTest, local)))
            return hit;
    }
    return this;
}

CGPoint UIView::originInWindow() const
{
    CGPoint origin { 0, 0 };
    for (const UIView* view = this; view; view = view->m_superview.get()) {
        origin.x += view->m_frame.origin.x - view->m_boundsOrigin.x;
        origin.y += view->m_frame.origin.y - view->m_boundsOrigin.y;
        if (!view->m_superview) {
            // The root's own frame origin places it on the screen.
            origin.x -= view->m_frame.origin.x;
            origin.y -= view->m_frame.origin.y;
        }
    }
    return origin;
}

CGPoint UIView::convertPointToView(CGPoint point, const UIView* view) const
{
    CGPoint from = originInWindow();
    CGPoint to = view ? view->originInWindow() : CGPoint {};
    return { point.x + from.x - to.x, point.y + from.y - to.y };
}

CGPoint UIView::convertPointFromView(CGPoint point, const UIView* view) const
{
    CGPoint from = view ? view->originInWindow() : CGPoint {};
    CGPoint to = originInWindow();
    return { point.x + from.x - to.x, point.y + from.y - to.y };
}

CGRect UIView::convertRectToView(CGRect rect, const UIView* view) const
{
    return { convertPointToView(rect.origin, view), rect.size };
}

void UIView::resizeSubviews(CGSize oldSize)
{
    CGFloat deltaWidth = m_frame.size.width - oldSize.width;
    CGFloat deltaHeight = m_frame.size.height - oldSize.height;
    for (const Value& value : *m_subviews) {
        auto* child = static_cast<UIView*>(value.object());
        unsigned mask = child->m_autoresizingMask;
        CGRect frame = child->m_frame;
        // A flexible width or margin takes the whole change when it is the
        // only flexible part on that axis; several share it evenly.
        auto distribute = [](CGFloat delta, bool flexibleLead, bool flexibleSize, bool flexibleTrail,
                              CGFloat& origin, CGFloat& size) {
            int parts = int(flexibleLead) + int(flexibleSize) + int(flexibleTrail);
            if (parts == 0)
                return;
            CGFloat share = delta / static_cast<CGFloat>(parts);
            if (flexibleLead)
                origin += share;
            if (flexibleSize)
                size += share;
        };
        distribute(deltaWidth, mask & UIViewAutoresizingFlexibleLeftMargin,
            mask & UIViewAutoresizingFlexibleWidth, mask & UIViewAutoresizingFlexibleRightMargin,
            frame.origin.x, frame.size.width);
        distribute(deltaHeight, mask & UIViewAutoresizingFlexibleTopMargin,
            mask & UIViewAutoresizingFlexibleHeight, mask & UIViewAutoresizingFlexibleBottomMargin,
            frame.origin.y, frame.size.height);
        child->setFrame(frame);
    }
}

void UIView::notifyWindowChanged()
{
    didMoveToWindow();
    for (const Value& value : *m_subviews)
        static_cast<UIView*>(value.object())->notifyWindowChanged();
    if (m_needsDisplay || m_needsLayout) {
        if (UIWindow* owner = window())
            owner->scheduleDisplayPass();
    }
}

void UIView::drawHierarchy(CGContext& context)
{
    m_needsDisplay = false;
    if (m_hidden)
        return;
    CGContextRef ref = &context;
    CGRect local = CGRectMake(0, 0, m_frame.size.width, m_frame.size.height);
    if (m_backgroundColor && !m_backgroundColor->isClear()) {
        CGContextSetFillColorWithColor(ref, *m_backgroundColor);
        if (m_layer.cornerRadius > 0)
            CGContextFillRoundedRect(ref, local, m_layer.cornerRadius);
        else
            CGContextFillRect(ref, local);
    }
    // The clip covers the subviews too; what drawRect: sets does not.
    CGContextSaveGState(ref);
    if (m_clipsToBounds)
        CGContextClipToRect(ref, local);
    CGContextSaveGState(ref);
    UIGraphicsPushContext(ref);
    send(this, sel::drawRect, local);
    UIGraphicsPopContext();
    CGContextRestoreGState(ref);

    std::vector<RefPtr<UIView>> children;
    for (const Value& value : *m_subviews)
        children.emplace_back(static_cast<UIView*>(value.object()));
    for (auto& child : children) {
        CGContextSaveGState(ref);
        CGContextTranslateCTM(
            ref, child->m_frame.origin.x - m_boundsOrigin.x, child->m_frame.origin.y - m_boundsOrigin.y);
        child->drawHierarchy(context);
        CGContextRestoreGState(ref);
    }
    CGContextRestoreGState(ref);
}
