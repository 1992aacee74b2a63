#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UIView.h"

#include <vector>

class NSSet;
class UIWindow;

enum class UITouchPhase { Began, Moved, Stationary, Ended, Cancelled };

// One finger on the screen, from press to release. It belongs to the view it
// first landed on (a scroll view can take it over) and knows where it is in
// its window; views ask for the location in their own coordinates.
class PLATFORM_EXPORT UITouch final : public NSObject {
public:
    static Class* staticClass();
    UITouch(UIWindow* window, UIView* view, CGPoint locationInWindow);

    UITouchPhase phase() const { return m_phase; }
    UIView* view() const { return m_view.get(); }
    UIWindow* window() const;
    int tapCount() const { return 1; }

    // The location in the view's coordinates; nothing for the window's.
    CGPoint locationInView(UIView* view) const;
    CGPoint previousLocationInView(UIView* view) const;
    CGPoint locationInWindow() const { return m_location; }
    CGPoint startLocationInWindow() const { return m_startLocation; }

    // Moved by the window as the host's finger moves.
    void moveTo(CGPoint locationInWindow, UITouchPhase phase);
    void setView(UIView* view);

private:
    CGPoint convertToView(CGPoint location, UIView* view) const;

    WeakPtr<UIWindow> m_window;
    // Not held: a view torn down mid-touch (the keyboard leaving) goes, and
    // the finger's later events reach nothing.
    WeakPtr<UIView> m_view;
    CGPoint m_location;
    CGPoint m_previousLocation;
    CGPoint m_startLocation;
    UITouchPhase m_phase { UITouchPhase::Began };
};

// The touches of a set, in its order; none for no set.
PLATFORM_EXPORT std::vector<UITouch*> touchesOf(NSSet* touches);
