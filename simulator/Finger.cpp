#include "simulator/Finger.h"

#include "platform/uikit/UIWindow.h"

void Finger::down(UIWindow* window, CGPoint point)
{
    if (m_isDown)
        cancel();
    m_window = window;
    m_isDown = true;
    m_downPoint = point;
    touch(UITouchPhase::Began, point);
}

void Finger::move(CGPoint point)
{
    if (m_isDown)
        touch(UITouchPhase::Moved, point);
}

void Finger::moveBy(CGFloat dx, CGFloat dy)
{
    move({ m_downPoint.x + dx, m_downPoint.y + dy });
}

void Finger::up(CGPoint point)
{
    if (!m_isDown)
        return;
    m_isDown = false;
    touch(UITouchPhase::Ended, point);
}

void Finger::lift()
{
    up(m_lastPoint);
}

void Finger::cancel()
{
    if (!m_isDown)
        return;
    m_isDown = false;
    touch(UITouchPhase::Cancelled, m_lastPoint);
}

void Finger::touch(UITouchPhase phase, CGPoint point)
{
    m_lastPoint = point;
    if (UIWindow* window = m_window.get())
        window->sendTouch(m_number, phase, point);
}

bool Fingers::isAnyDown() const
{
    for (const auto& [number, finger] : m_fingers) {
        if (finger.isDown())
            return true;
    }
    return false;
}

void Fingers::cancelAll()
{
    for (auto& [number, finger] : m_fingers)
        finger.cancel();
}
