#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/KeyboardSelectors.h"

// One finger on the screen. It keeps its place in window coordinates and
// answers it in any view's coordinates.
class PLATFORM_EXPORT UITouch final : public NSObject {
public:
    static Class* staticClass();

    explicit UITouch(CGPoint locationInWindow);

    void setLocationInWindow(CGPoint location) { m_locationInWindow = location; }

    // The platform's own implementation: the place in the view's coordinates
    // (in the window's when the view is nothing).
    CGPoint locationInView(NSObject* view);

private:
    CGPoint m_locationInWindow;
};
