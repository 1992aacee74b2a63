#pragma once

#include "platform/runtime/RefPtr.h"
#include "platform/substrate/InjectionLoader.h"

#include <memory>
#include <string>

class SystemKeyboardPresenter;
class UIWindow;

// An application that uses UIKit, as the injection framework sees one: the
// libraries the device root injects into such a process are loaded when it
// is made. showKeyboard brings up the platform's keyboard in a 320 x 480
// window for a text field that keeps what is typed.
class InjectedKeyboardApplication {
public:
    InjectedKeyboardApplication();
    ~InjectedKeyboardApplication();
    InjectedKeyboardApplication(const InjectedKeyboardApplication&) = delete;
    InjectedKeyboardApplication& operator=(const InjectedKeyboardApplication&) = delete;

    const InjectionReport& injection() const { return m_injection; }

    void showKeyboard();
    const std::string& typedText() const;
    void clearTypedText();

private:
    class TypedText;

    InjectionReport m_injection;
    std::unique_ptr<SystemKeyboardPresenter> m_presenter;
    RefPtr<UIWindow> m_window;
    RefPtr<TypedText> m_input;
};
