#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/uikit/UITouch.h"

#include <optional>

class UIKeyboardLayoutStar;

// Feeds one finger to the active keyboard the way the platform's touch
// dispatch does: touch down hit-tests the key and presses it, moves become
// touchDragged:, lifting touchUp:. Points are in the keyboard's coordinates
// (its layout controller's), y growing downwards and negative above it.
class PLATFORM_EXPORT KeyboardTouchDriver {
public:
    void touchDown(CGPoint point);
    void touchMove(CGPoint point);
    void touchUp(CGPoint point);
    void touchUp();
    void touchCancel();
    void tap(CGPoint point)
    {
        touchDown(point);
        touchUp(point);
    }
    // Taps the middle of the first key with that name on the keyplane shown;
    // false when there is none.
    bool tapKeyNamed(const NSString& keyName);

    bool isTouching() const { return m_touch.get(); }

    // The active keyboard's layout controller, or nothing.
    static UIKeyboardLayoutStar* activeLayout();
    // The middle of a key's cap on the keyplane shown, in keyboard coordinates.
    static std::optional<CGPoint> centerOfKeyNamed(const NSString& keyName);

private:
    CGPoint toWindow(CGPoint point) const;

    RefPtr<UITouch> m_touch;
    WeakPtr<UIKeyboardLayoutStar> m_layout;
};
