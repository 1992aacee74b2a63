#include "simulator/SystemKeyboard.h"

#include "platform/keyboard/KeyboardTimer.h"
#include "platform/keyboard/SystemKeyboardPresenter.h"
#include "platform/keyboard/UIKeyboardImpl.h"

namespace {

UIKeyboardImpl* activeKeyboardImpl()
{
    return runtimeCast<UIKeyboardImpl>(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
}

} // namespace

SystemKeyboard::SystemKeyboard()
    : m_presenter(std::make_unique<SystemKeyboardPresenter>())
{
    setKeyboardPresenter(m_presenter.get());
}

SystemKeyboard::~SystemKeyboard()
{
    m_presenter->dismissKeyboard();
    setKeyboardPresenter(nullptr);
}

void SystemKeyboard::setLetterLayout(const KeyboardLetterLayout* layout)
{
    m_presenter->setLetterLayout(layout);
}

UIView* SystemKeyboard::keyboardView() const
{
    return m_presenter->keyboard();
}

bool SystemKeyboard::isShifted()
{
    return send(activeKeyboardImpl(), sel::isShifted);
}

bool SystemKeyboard::isShiftLocked()
{
    return send(activeKeyboardImpl(), sel::isShiftLocked);
}

bool SystemKeyboard::awaitsShiftDoubleTap()
{
    UIKeyboardImpl* keyboard = activeKeyboardImpl();
    if (!keyboard)
        return false;
    UIKeyboardImpl::ShiftState shift = keyboard->shiftState();
    return shift.shifted && !shift.locked && shift.shiftedByTapAt >= 0
        && KeyboardTimer::now() - shift.shiftedByTapAt <= UIKeyboardImpl::shiftDoubleTapInterval;
}

void SystemKeyboard::setAwaitsShiftDoubleTap(bool awaits)
{
    UIKeyboardImpl* keyboard = activeKeyboardImpl();
    if (!keyboard)
        return;
    UIKeyboardImpl::ShiftState shift = keyboard->shiftState();
    shift.shiftedByTapAt = awaits && shift.shifted && !shift.locked ? KeyboardTimer::now() : -1;
    keyboard->restoreShiftState(shift);
}
