#include "platform/uikit/FollowedTouch.h"

#include "platform/foundation/NSSet.h"

UITouch* FollowedTouch::begin(NSSet* touches)
{
    if (isFollowing() || !touches)
        return nullptr;
    m_touch = runtimeCast<UITouch>(touches->anyObject());
    return m_touch.get();
}

UITouch* FollowedTouch::in(NSSet* touches) const
{
    UITouch* touch = m_touch.get();
    return touch && touches && touches->containsObject(touch) ? touch : nullptr;
}

UITouch* FollowedTouch::end(NSSet* touches)
{
    UITouch* touch = in(touches);
    if (touch)
        m_touch = nullptr;
    return touch;
}
