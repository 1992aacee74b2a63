#pragma once

#include "platform/graphics/CGGeometry.h"

#include <memory>

class KeyboardTouchDriver;

// A finger on the system keyboard, in the keyboard's own coordinates (y grows
// downward; negative is above the keyboard), fed to the keyboard the way the
// platform's touch dispatch does.
class KeyboardFinger {
public:
    KeyboardFinger();
    ~KeyboardFinger();
    KeyboardFinger(const KeyboardFinger&) = delete;
    KeyboardFinger& operator=(const KeyboardFinger&) = delete;

    void down(CGPoint point);
    void move(CGPoint point);
    void up(CGPoint point);
    void cancel();

    // A window point in the keyboard's coordinates.
    static CGPoint fromWindow(CGPoint windowPoint);

private:
    std::unique_ptr<KeyboardTouchDriver> m_driver;
};
