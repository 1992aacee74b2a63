#pragma once

#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/uikit/UIWindow.h"

#include <map>
#include <optional>

// The phone's touch screen under the platform keyboard, for tests and
// benchmarks: fingers put down at points of the keyboard (its layout
// controller's coordinates, y growing downward and negative above it) become
// touches of the keyboard's window, which delivers them as it delivers a
// person's. Fingers are numbered; several may be down at once.
class TouchScreen {
public:
    // A finger still down is lifted off the screen first (cancelled). Only a
    // finger that lands on the keyboard goes down.
    void touchDown(CGPoint point, int finger = 0)
    {
        if (isTouching(finger))
            touchCancel(finger);
        UIKeyboardLayoutStar* layout = activeLayout();
        UIWindow* window = layout ? layout->window() : nullptr;
        if (!window || !layout->bounds().contains(point))
            return;
        // Where the keyboard is at touch down stays the finger's frame of
        // reference, so a finger moving on after the keyboard left still has
        // a place on the screen.
        Finger placed { window, layout->convertPointToView({ 0, 0 }, nullptr), point };
        m_fingers[finger] = placed;
        send(UITouchPhase::Began, finger, point);
    }
    void touchMove(CGPoint point, int finger = 0)
    {
        if (isTouching(finger))
            send(UITouchPhase::Moved, finger, point);
    }
    void touchUp(CGPoint point, int finger = 0)
    {
        if (isTouching(finger))
            lift(UITouchPhase::Ended, finger, point);
    }
    // Lifts where the finger is.
    void touchUp(int finger = 0)
    {
        if (isTouching(finger))
            lift(UITouchPhase::Ended, finger, m_fingers[finger].last);
    }
    void touchCancel(int finger = 0)
    {
        if (isTouching(finger))
            lift(UITouchPhase::Cancelled, finger, m_fingers[finger].last);
    }
    void tap(CGPoint point, int finger = 0)
    {
        touchDown(point, finger);
        touchUp(point, finger);
    }
    // Taps the middle of the first key with that name on the keyplane shown;
    // false when there is none.
    bool tapKeyNamed(const NSString& keyName)
    {
        std::optional<CGPoint> center = centerOfKeyNamed(keyName);
        if (!center)
            return false;
        tap(*center);
        return true;
    }
    bool isTouching(int finger = 0) const { return m_fingers.contains(finger); }

    // The active keyboard's layout controller, or nothing.
    static UIKeyboardLayoutStar* activeLayout()
    {
        return runtimeCast<UIKeyboardLayoutStar>(
            ::send(::send(UIKeyboardImpl::staticClass(), sel::activeInstance), sel::layout));
    }
    // The middle of a key's cap on the keyplane shown, in keyboard coordinates.
    static std::optional<CGPoint> centerOfKeyNamed(const NSString& keyName)
    {
        RefPtr<NSMutableArray> keys
            = ::send(::send(activeLayout(), sel::keyplane), sel::keysByKeyName, keyName);
        if (!keys || !keys->count())
            return std::nullopt;
        CGRect cap = ::send(keys->objectAtIndex(0).object(), sel::paddedFrame);
        return CGPoint { cap.midX(), cap.midY() };
    }

private:
    struct Finger {
        WeakPtr<UIWindow> window;
        CGPoint keyboardOrigin;
        CGPoint last;
    };

    void send(UITouchPhase phase, int finger, CGPoint point)
    {
        Finger& placed = m_fingers[finger];
        placed.last = point;
        if (UIWindow* window = placed.window.get())
            window->sendTouch(
                finger, phase, { placed.keyboardOrigin.x + point.x, placed.keyboardOrigin.y + point.y });
    }
    void lift(UITouchPhase phase, int finger, CGPoint point)
    {
        send(phase, finger, point);
        m_fingers.erase(finger);
    }

    std::map<int, Finger> m_fingers;
};
