#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UITouch.h"

#include <map>

class UIWindow;

// One finger of the simulated phone. It only makes touches: it puts them on
// the app's window, which delivers each to the view under the finger, the
// keyboard's included. Points are screen points, from the window's top-left
// corner.
class Finger {
public:
    explicit Finger(int number)
        : m_number(number)
    {
    }

    // A touch of this finger still down is cancelled first.
    void down(UIWindow* window, CGPoint point);
    void move(CGPoint point);
    // Moves relative to where the finger came down.
    void moveBy(CGFloat dx, CGFloat dy);
    void up(CGPoint point);
    // Lifts where the finger is.
    void lift();
    void cancel();
    bool isDown() const { return m_isDown; }

private:
    void touch(UITouchPhase phase, CGPoint point);

    int m_number;
    WeakPtr<UIWindow> m_window;
    bool m_isDown { false };
    CGPoint m_downPoint;
    CGPoint m_lastPoint;
};

// The fingers of the simulated phone, by number; several may be down at once.
class Fingers {
public:
    Finger& operator[](int number) { return m_fingers.try_emplace(number, number).first->second; }
    bool isAnyDown() const;
    void cancelAll();

private:
    std::map<int, Finger> m_fingers;
};
