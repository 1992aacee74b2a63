#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UITouch.h"

class NSSet;

// The one finger a view follows at a time, as a control, a table's row press
// and a scroll view's drag do: a second finger that lands on the view
// meanwhile is not its, and neither are that finger's moves and release.
class PLATFORM_EXPORT FollowedTouch {
public:
    // Starts following the first touch of the set; nothing while another is followed.
    UITouch* begin(NSSet* touches);
    void follow(UITouch* touch) { m_touch = touch; }
    // The followed touch if the set holds it, else nothing.
    UITouch* in(NSSet* touches) const;
    // The same, and the touch is followed no longer.
    UITouch* end(NSSet* touches);
    bool isFollowing() const { return m_touch.get(); }
    UITouch* touch() const { return m_touch.get(); }

private:
    WeakPtr<UITouch> m_touch;
};
