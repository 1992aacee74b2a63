#include "simulator/SystemKeyboard.h"

#include "platform/keyboard/SystemKeyboardPresenter.h"
#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKBKeyplaneView.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKeyboard.h"
#include "platform/keyboard/UIKeyboardCache.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"

namespace {

UIKeyboardImpl* activeKeyboardImpl()
{
    return runtimeCast<UIKeyboardImpl>(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
}

} // namespace

SystemKeyboard::SystemKeyboard()
    : m_presenter(std::make_unique<SystemKeyboardPresenter>())
{
    // The keyboard's classes exist from the moment the app starts, as they
    // do on the device, so that what the injection framework loads can find
    // them by name.
    for (Class* keyboardClass : { UIKBTree::staticClass(), UIKBKeyView::staticClass(),
             UIKBKeyplaneView::staticClass(), UIKeyboardLayoutStar::staticClass(),
             UIKeyboardImpl::staticClass(), UIKeyboard::staticClass(), UIKeyboardCache::staticClass() })
        static_cast<void>(keyboardClass);
    setKeyboardPresenter(m_presenter.get());
}

SystemKeyboard::~SystemKeyboard()
{
    m_presenter->dismissKeyboard();
    setKeyboardPresenter(nullptr);
}

void SystemKeyboard::setLetterLayout(const std::optional<std::string>& layout)
{
    if (!layout)
        m_presenter->setLetterLayout(std::nullopt);
    else if (*layout == "QWERTZ")
        m_presenter->setLetterLayout(KeyboardLetterLayout::QWERTZ);
    else if (*layout == "AZERTY")
        m_presenter->setLetterLayout(KeyboardLetterLayout::AZERTY);
    else
        m_presenter->setLetterLayout(KeyboardLetterLayout::QWERTY);
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
