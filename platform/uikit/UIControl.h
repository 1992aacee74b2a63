#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/FollowedTouch.h"
#include "platform/uikit/UIView.h"

#include <functional>
#include <vector>

// Control events, as the platform numbers them.
enum UIControlEvents : unsigned {
    UIControlEventTouchDown = 1 << 0,
    UIControlEventTouchDownRepeat = 1 << 1,
    UIControlEventTouchDragInside = 1 << 2,
    UIControlEventTouchDragOutside = 1 << 3,
    UIControlEventTouchDragEnter = 1 << 4,
    UIControlEventTouchDragExit = 1 << 5,
    UIControlEventTouchUpInside = 1 << 6,
    UIControlEventTouchUpOutside = 1 << 7,
    UIControlEventTouchCancel = 1 << 8,
    UIControlEventValueChanged = 1 << 12,
    UIControlEventEditingDidBegin = 1 << 16,
    UIControlEventEditingChanged = 1 << 17,
    UIControlEventEditingDidEnd = 1 << 18,
    UIControlEventEditingDidEndOnExit = 1 << 19,
    UIControlEventAllTouchEvents = 0x0fff,
};

// Control states, as the platform numbers them (normal is none of the bits).
enum UIControlState : unsigned {
    UIControlStateNormal = 0,
    UIControlStateHighlighted = 1 << 0,
    UIControlStateDisabled = 1 << 1,
    UIControlStateSelected = 1 << 2,
};

// A view that turns a finger's path into control events and sends each
// registered target its action. The tracking rules: touch down on the press;
// while the finger stays within the bounds grown by a margin on every side
// it is inside (drag inside, drag enter on coming back, highlighted); the
// first move beyond that is a drag exit and every move out there a drag
// outside (not highlighted); the release is touch up inside or outside by
// the same test; a cancelled touch is a touch cancel.
class PLATFORM_EXPORT UIControl : public UIView {
public:
    static Class* staticClass();
    static constexpr CGFloat trackingMargin = 70;

    explicit UIControl(CGRect frame = CGRectZero, Class* cls = staticClass());

    // The target is not kept alive; an action to a target that is gone does
    // nothing. Targets run in the order they were added.
    void addTargetActionForControlEvents(NSObject* target, const Selector<void()>& action, unsigned events);
    // An action that takes the sending control.
    void addTargetActionForControlEvents(
        NSObject* target, const Selector<void(NSObject*)>& action, unsigned events);
    // The toolkit's own views register plain callbacks the same way.
    void addActionForControlEvents(std::function<void()> action, unsigned events);
    void removeTargetForControlEvents(NSObject* target, unsigned events);
    void sendActionsForControlEvents(unsigned events);

    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    bool isTracking() const { return m_tracking; }
    bool isTouchInside() const { return m_touchInside; }
    unsigned state() const;

    void touchesBeganImpl(NSSet* touches, NSObject* event);
    void touchesMovedImpl(NSSet* touches, NSObject* event);
    void touchesEndedImpl(NSSet* touches, NSObject* event);
    void touchesCancelledImpl(NSSet* touches, NSObject* event);

protected:
    // After the highlighted, selected or enabled state changed.
    virtual void stateDidChange() { setNeedsDisplay(); }

private:
    struct TargetAction {
        WeakPtr<NSObject> target;
        bool needsTarget;
        unsigned events;
        std::function<void(NSObject* target, UIControl* sender)> perform;
    };
    bool isWithinTrackingBounds(UITouch* touch);

    std::vector<TargetAction> m_targetActions;
    FollowedTouch m_trackedTouch;
    bool m_enabled { true };
    bool m_highlighted { false };
    bool m_selected { false };
    bool m_tracking { false };
    bool m_touchInside { false };
};
