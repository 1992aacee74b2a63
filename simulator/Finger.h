#pragma once

#include "platform/graphics/CGGeometry.h"
#include "simulator/KeyboardFinger.h"

#include <optional>
#include <string>

class UIWindow;

// The one finger of the simulated phone. A touch that lands on the keyboard
// belongs to the keyboard until it lifts (the platform's touch dispatch for
// keys); any other touch goes to the window's views.
class Finger {
public:
    // Screen points, from the window's top-left corner.
    void down(UIWindow* window, CGPoint point);
    void move(CGPoint point);
    void up(CGPoint point);
    void cancel();
    bool isDown() const { return m_target != Target::None; }

    // A touch down at a point of the keyboard (its own coordinates), as the
    // script's key gestures start.
    void downOnKeyboard(CGPoint keyboardPoint);
    // Moves relative to where the finger came down, in points.
    void moveBy(CGFloat dx, CGFloat dy);
    // Lifts where the finger is.
    void lift();

private:
    enum class Target { None, Keyboard, Window };

    // Both take a point in the coordinates of what the touch belongs to: the
    // keyboard's own for a keyboard touch, the window's otherwise.
    void moveTo(CGPoint point);
    void liftAt(CGPoint point);

    Target m_target { Target::None };
    UIWindow* m_window { nullptr };
    CGPoint m_downPoint;
    CGPoint m_lastPoint;
    KeyboardFinger m_keyboard;
};
