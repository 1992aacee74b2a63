#include "simulator/Finger.h"

#include "platform/uikit/KeyboardPresenter.h"
#include "platform/uikit/UIWindow.h"

namespace {

// The window's finger number for the simulated finger.
constexpr int fingerNumber = 0;

} // namespace

void Finger::down(UIWindow* window, CGPoint point)
{
    if (isDown())
        cancel();
    KeyboardPresenter* presenter = keyboardPresenter();
    bool onKeyboard
        = presenter && presenter->isKeyboardVisible() && presenter->keyboardFrame().contains(point);
    if (onKeyboard) {
        downOnKeyboard(KeyboardFinger::fromWindow(point));
        return;
    }
    m_target = Target::Window;
    m_window = window;
    m_downPoint = m_lastPoint = point;
    window->sendTouch(fingerNumber, UITouchPhase::Began, point);
}

void Finger::downOnKeyboard(CGPoint keyboardPoint)
{
    if (isDown())
        cancel();
    m_target = Target::Keyboard;
    m_downPoint = m_lastPoint = keyboardPoint;
    m_keyboard.down(keyboardPoint);
}

void Finger::move(CGPoint point)
{
    moveTo(m_target == Target::Keyboard ? KeyboardFinger::fromWindow(point) : point);
}

void Finger::moveBy(CGFloat dx, CGFloat dy)
{
    moveTo({ m_downPoint.x + dx, m_downPoint.y + dy });
}

void Finger::moveTo(CGPoint point)
{
    switch (m_target) {
    case Target::Keyboard:
        m_lastPoint = point;
        m_keyboard.move(point);
        break;
    case Target::Window:
        m_lastPoint = point;
        m_window->sendTouch(fingerNumber, UITouchPhase::Moved, point);
        break;
    case Target::None:
        break;
    }
}

void Finger::up(CGPoint point)
{
    liftAt(m_target == Target::Keyboard ? KeyboardFinger::fromWindow(point) : point);
}

void Finger::lift()
{
    liftAt(m_lastPoint);
}

void Finger::liftAt(CGPoint point)
{
    switch (m_target) {
    case Target::Keyboard:
        m_keyboard.up(point);
        break;
    case Target::Window:
        m_window->sendTouch(fingerNumber, UITouchPhase::Ended, point);
        break;
    case Target::None:
        break;
    }
    m_target = Target::None;
}

void Finger::cancel()
{
    switch (m_target) {
    case Target::Keyboard:
        m_keyboard.cancel();
        break;
    case Target::Window:
        m_window->sendTouch(fingerNumber, UITouchPhase::Cancelled, m_lastPoint);
        break;
    case Target::None:
        break;
    }
    m_target = Target::None;
}
