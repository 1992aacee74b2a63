#include "simulator/Finger.h"

#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/uikit/KeyboardPresenter.h"
#include "platform/uikit/UIWindow.h"

namespace {

// The window's finger number for the simulated finger.
constexpr int fingerNumber = 0;

} // namespace

CGPoint Finger::keyboardPoint(CGPoint screenPoint) const
{
    UIKeyboardLayoutStar* layout = KeyboardTouchDriver::activeLayout();
    return layout ? layout->convertPointFromView(screenPoint, nullptr) : screenPoint;
}

void Finger::down(UIWindow* window, CGPoint point)
{
    if (isDown())
        cancel();
    KeyboardPresenter* presenter = keyboardPresenter();
    bool onKeyboard
        = presenter && presenter->isKeyboardVisible() && presenter->keyboardFrame().contains(point);
    if (onKeyboard) {
        downOnKeyboard(keyboardPoint(point));
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
    m_keyboard.touchDown(keyboardPoint);
}

void Finger::move(CGPoint point)
{
    switch (m_target) {
    case Target::Keyboard:
        m_lastPoint = keyboardPoint(point);
        m_keyboard.touchMove(m_lastPoint);
        break;
    case Target::Window:
        m_lastPoint = point;
        m_window->sendTouch(fingerNumber, UITouchPhase::Moved, point);
        break;
    case Target::None:
        break;
    }
}

void Finger::moveBy(CGFloat dx, CGFloat dy)
{
    CGPoint point { m_downPoint.x + dx, m_downPoint.y + dy };
    switch (m_target) {
    case Target::Keyboard:
        m_lastPoint = point;
        m_keyboard.touchMove(point);
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
    switch (m_target) {
    case Target::Keyboard:
        m_keyboard.touchUp(keyboardPoint(point));
        break;
    case Target::Window:
        m_window->sendTouch(fingerNumber, UITouchPhase::Ended, point);
        break;
    case Target::None:
        break;
    }
    m_target = Target::None;
}

void Finger::lift()
{
    switch (m_target) {
    case Target::Keyboard:
        m_keyboard.touchUp(m_lastPoint);
        break;
    case Target::Window:
        m_window->sendTouch(fingerNumber, UITouchPhase::Ended, m_lastPoint);
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
        m_keyboard.touchCancel();
        break;
    case Target::Window:
        m_window->sendTouch(fingerNumber, UITouchPhase::Cancelled, m_lastPoint);
        break;
    case Target::None:
        break;
    }
    m_target = Target::None;
}
