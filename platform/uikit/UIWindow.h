#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGImage.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UITouch.h"
#include "platform/uikit/UIView.h"

#include <functional>
#include <map>

// The root of a view tree on screen. Display requests anywhere in the tree
// schedule one display pass, which the host runs on its main run loop: lay
// out what asked for it, then draw the tree. The window also routes the
// host's touches to the views under the fingers and keeps the first responder.
class PLATFORM_EXPORT UIWindow : public UIView {
public:
    static Class* staticClass();
    static Ref<UIWindow> make(CGRect frame) { return makeRef<UIWindow>(frame); }

    explicit UIWindow(CGRect frame, Class* cls = staticClass());

    void scheduleDisplayPass();
    bool isDisplayPassScheduled() const { return m_displayPassScheduled; }
    // Lays out the tree; the host then draws it with drawHierarchy.
    void runDisplayPass();

    // How a scheduled pass reaches a run loop: by default the next turn of
    // the main run loop runs it; a host may route it elsewhere.
    void setDisplayPassScheduler(std::function<void()> scheduler) { m_scheduler = std::move(scheduler); }

    // Lays the window out and draws it into a new bitmap, at the screen's
    // scale unless one is given: what the screen shows.
    CGImageRef snapshotImage(CGFloat scale = 0);
    // The snapshot as a PNG file; false when it cannot be written.
    bool writeSnapshotPNG(const std::string& path, CGFloat scale = 0);

    // The application's key window: alerts and presented pages appear in it.
    void makeKeyAndVisible();
    bool isKeyWindow() const;

    UIView* firstResponder() const { return m_firstResponder.get(); }
    void setFirstResponder(UIView* responder) { m_firstResponder = responder; }

    // One finger of the host's touch screen, at a point in window
    // coordinates; several fingers may be down at once, each a touch of its
    // own. A press goes to the deepest view under the finger (hit testing);
    // the finger's moves and its release go to that same view. A
    // vertical drag inside a scrollable view hands the finger to the scroll
    // view and cancels it for the view that had it. Events for a finger that
    // is not down are ignored.
    void sendTouch(int finger, UITouchPhase phase, CGPoint location);
    // Press and release at one point.
    void tap(CGPoint location);
    // The touch a finger makes, or nothing while it is up.
    UITouch* touchForFinger(int finger) const;

private:
    void beginTouch(int finger, CGPoint location);
    void handOverToScrollView(UITouch* touch);

    bool m_displayPassScheduled { false };
    std::function<void()> m_scheduler;
    WeakPtr<UIView> m_firstResponder;
    std::map<int, RefPtr<UITouch>> m_touches;
};
