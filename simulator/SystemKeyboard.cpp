#include "simulator/SystemKeyboard.h"

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
