#include "simulator/KeyboardFinger.h"

#include "platform/keyboard/KeyboardTouchDriver.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"

KeyboardFinger::KeyboardFinger()
    : m_driver(std::make_unique<KeyboardTouchDriver>())
{
}

KeyboardFinger::~KeyboardFinger() = default;

void KeyboardFinger::down(CGPoint point)
{
    m_driver->touchDown(point);
}

void KeyboardFinger::move(CGPoint point)
{
    m_driver->touchMove(point);
}

void KeyboardFinger::up(CGPoint point)
{
    m_driver->touchUp(point);
}

void KeyboardFinger::cancel()
{
    m_driver->touchCancel();
}

CGPoint KeyboardFinger::fromWindow(CGPoint windowPoint)
{
    UIKeyboardLayoutStar* layout = KeyboardTouchDriver::activeLayout();
    return layout ? layout->convertPointFromView(windowPoint, nullptr) : windowPoint;
}
