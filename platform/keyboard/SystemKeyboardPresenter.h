#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/KeyboardConfiguration.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKeyboard.h"
#include "platform/uikit/KeyboardPresenter.h"

#include <utility>
#include <vector>

// The platform's keyboard as the toolkit brings it up for a text input: the
// keyboard for the input's keyboard type, in the window's orientation, with
// the letter layout the current locale expects (or the one set here), at the
// bottom of the window. Keyboard trees are kept and reused, so what is written
// into their keys stays with them.
class PLATFORM_EXPORT SystemKeyboardPresenter final : public KeyboardPresenter {
public:
    SystemKeyboardPresenter() = default;
    ~SystemKeyboardPresenter() override;

    void presentKeyboard(UIWindow* window, NSObject* textInput) override;
    void dismissKeyboard() override;
    bool isKeyboardVisible() const override { return m_keyboard.get(); }
    CGRect keyboardFrame() const override;

    // A fixed letter layout instead of the locale's; nothing goes back to the locale's.
    void setLetterLayout(const KeyboardLetterLayout* layout) { m_letterLayout = layout; }
    // The configuration presentKeyboard would use for a type in a window.
    KeyboardConfiguration configurationFor(int keyboardType, const UIWindow* window) const;

    UIKeyboard* keyboard() const { return m_keyboard.get(); }

private:
    RefPtr<UIKBTree> treeFor(const KeyboardConfiguration& configuration);

    const KeyboardLetterLayout* m_letterLayout { nullptr };
    std::vector<std::pair<KeyboardConfiguration, RefPtr<UIKBTree>>> m_trees;
    RefPtr<UIKeyboard> m_keyboard;
};
