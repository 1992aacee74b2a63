#include "platform/uikit/UIControl.h"

#include "platform/uikit/UITouch.h"

Class* UIControl::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIControl", UIView::staticClass());
        addMethod<&UIControl::touchesBeganImpl>(created, sel::touchesBegan);
        addMethod<&UIControl::touchesMovedImpl>(created, sel::touchesMoved);
        addMethod<&UIControl::touchesEndedImpl>(created, sel::touchesEnded);
        addMethod<&UIControl::touchesCancelledImpl>(created, sel::touchesCancelled);
        return created;
    }();
    return cls;
}

UIControl::UIControl(CGRect frame, Class* cls)
    : UIView(frame, cls)
{
}

void UIControl::addTargetActionForControlEvents(
    NSObject* target, const Selector<void()>& action, unsigned events)
{
    m_targetActions.push_back(
        { target, true, events, [action](NSObject* receiver, UIControl*) { send(receiver, action); } });
}

void UIControl::addTargetActionForControlEvents(
    NSObject* target, const Selector<void(NSObject*)>& action, unsigned events)
{
    m_targetActions.push_back({ target, true, events,
        [action](NSObject* receiver, UIControl* sender) { send(receiver, action, sender); } });
}

void UIControl::addActionForControlEvents(std::function<void()> action, unsigned events)
{
    m_targetActions.push_back(
        { nullptr, false, events, [action = std::move(action)](NSObject*, UIControl*) { action(); } });
}

void UIControl::removeTargetForControlEvents(NSObject* target, unsigned events)
{
    for (auto& entry : m_targetActions) {
        if (entry.needsTarget && (!target || entry.target == target))
            entry.events &= ~events;
    }
    std::erase_if(m_targetActions, [](const TargetAction& entry) { return entry.events == 0; });
}

void UIControl::sendActionsForControlEvents(unsigned events)
{
    RefPtr<UIControl> keepAlive(this);
    // An action may add or remove targets; run the ones registered now.
    std::vector<TargetAction> actions = m_targetActions;
    for (auto& entry : actions) {
        if (entry.events & events)
            entry.perform(entry.target.get(), this);
    }
}

void UIControl::setEnabled(bool enabled)
{
    if (m_enabled == enabled)
        return;
    m_enabled = enabled;
    stateDidChange();
}

void UIControl::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    stateDidChange();
}

void UIControl::setSelected(bool selected)
{
    if (m_selected == selected)
        return;
    m_selected = selected;
    stateDidChange();
}

unsigned UIControl::state() const
{
    unsigned current = UIControlStateNormal;
    if (m_highlighted)
        current |= UIControlStateHighlighted;
    if (!m_enabled)
        current |= UIControlStateDisabled;
    if (m_selected)
        current |= UIControlStateSelected;
    return current;
}

bool UIControl::isWithinTrackingBounds(UITouch* touch)
{
    CGPoint point = touch->locationInView(this);
    CGRect area = bounds();
    return point.x >= area.minX() - trackingMargin && point.x <= area.maxX() + trackingMargin
        && point.y >= area.minY() - trackingMargin && point.y <= area.maxY() + trackingMargin;
}

void UIControl::touchesBeganImpl(NSSet* touches, NSObject*)
{
    if (!m_enabled || !m_trackedTouch.begin(touches))
        return;
    m_tracking = true;
    m_touchInside = true;
    setHighlighted(true);
    sendActionsForControlEvents(UIControlEventTouchDown);
}

void UIControl::touchesMovedImpl(NSSet* touches, NSObject*)
{
    UITouch* touch = m_trackedTouch.in(touches);
    if (!m_tracking || !touch)
        return;
    bool wasInside = m_touchInside;
    m_touchInside = isWithinTrackingBounds(touch);
    setHighlighted(m_touchInside);
    if (m_touchInside) {
        if (!wasInside)
            sendActionsForControlEvents(UIControlEventTouchDragEnter);
        sendActionsForControlEvents(UIControlEventTouchDragInside);
        return;
    }
    if (wasInside)
        sendActionsForControlEvents(UIControlEventTouchDragExit);
    sendActionsForControlEvents(UIControlEventTouchDragOutside);
}

void UIControl::touchesEndedImpl(NSSet* touches, NSObject*)
{
    UITouch* touch = m_trackedTouch.end(touches);
    if (!m_tracking || !touch)
        return;
    m_tracking = false;
    m_touchInside = isWithinTrackingBounds(touch);
    setHighlighted(false);
    sendActionsForControlEvents(m_touchInside ? UIControlEventTouchUpInside : UIControlEventTouchUpOutside);
}

void UIControl::touchesCancelledImpl(NSSet* touches, NSObject*)
{
    if (!m_trackedTouch.end(touches) || !m_tracking)
        return;
    m_tracking = false;
    m_touchInside = false;
    setHighlighted(false);
    sendActionsForControlEvents(UIControlEventTouchCancel);
}
