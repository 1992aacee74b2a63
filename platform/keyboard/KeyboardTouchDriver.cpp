#include "platform/keyboard/KeyboardTouchDriver.h"

#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"

UIKeyboardLayoutStar* KeyboardTouchDriver::activeLayout()
{
    return runtimeCast<UIKeyboardLayoutStar>(
        send(send(UIKeyboardImpl::staticClass(), sel::activeInstance), sel::layout));
}

std::optional<CGPoint> KeyboardTouchDriver::centerOfKeyNamed(const NSString& keyName)
{
    RefPtr<NSMutableArray> keys = send(send(activeLayout(), sel::keyplane), sel::keysByKeyName, keyName);
    if (!keys || !keys->count())
        return std::nullopt;
    CGRect frame = send(keys->objectAtIndex(0).object(), sel::frame);
    return CGPoint { frame.midX(), frame.midY() };
}

CGPoint KeyboardTouchDriver::toWindow(CGPoint point) const
{
    UIKeyboardLayoutStar* layout = m_layout.get();
    return layout ? layout->convertPointToView(point, nullptr) : point;
}

void KeyboardTouchDriver::touchDown(CGPoint point)
{
    if (m_touch)
        touchCancel();
    UIKeyboardLayoutStar* layout = activeLayout();
    // Only a finger that lands on the keyboard belongs to it.
    if (!layout || !layout->bounds().contains(point))
        return;
    m_layout = layout;
    // The touch does not hold the keyboard: a keyboard torn down mid-press must go.
    m_touch = makeRef<UITouch>(layout->window(), nullptr, toWindow(point));
    NSObject* key = send(layout, sel::keyHitTest, point);
    send(layout, sel::touchDownWithKeyAtPoint, key, point);
}

void KeyboardTouchDriver::touchMove(CGPoint point)
{
    if (!m_touch)
        return;
    m_touch->moveTo(toWindow(point), UITouchPhase::Moved);
    send(m_layout, sel::touchDragged, m_touch.get());
}

void KeyboardTouchDriver::touchUp(CGPoint point)
{
    if (!m_touch)
        return;
    m_touch->moveTo(toWindow(point), UITouchPhase::Ended);
    touchUp();
}

void KeyboardTouchDriver::touchUp()
{
    RefPtr<UITouch> touch = std::move(m_touch);
    if (touch)
        send(m_layout, sel::touchUp, touch.get());
}

void KeyboardTouchDriver::touchCancel()
{
    RefPtr<UITouch> touch = std::move(m_touch);
    if (touch)
        send(m_layout, sel::touchCancelled, touch.get());
}

bool KeyboardTouchDriver::tapKeyNamed(const NSString& keyName)
{
    std::optional<CGPoint> center = centerOfKeyNamed(keyName);
    if (!center)
        return false;
    tap(*center);
    return true;
}
