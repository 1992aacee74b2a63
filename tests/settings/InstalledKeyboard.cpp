#include "tests/settings/InstalledKeyboard.h"

#include "platform/keyboard/SystemKeyboardPresenter.h"
#include "tests/support/TouchScreen.h"

InstalledKeyboard::InstalledKeyboard()
    : m_presenter(std::make_unique<SystemKeyboardPresenter>())
    , m_finger(std::make_unique<TouchScreen>())
{
    setKeyboardPresenter(m_presenter.get());
}

InstalledKeyboard::~InstalledKeyboard()
{
    if (keyboardPresenter() == m_presenter.get())
        setKeyboardPresenter(nullptr);
}

bool InstalledKeyboard::isVisible() const
{
    return m_presenter->isKeyboardVisible();
}

CGRect InstalledKeyboard::frame() const
{
    return m_presenter->keyboardFrame();
}

bool InstalledKeyboard::tapKeyNamed(const char* keyName)
{
    return m_finger->tapKeyNamed(keyName);
}
