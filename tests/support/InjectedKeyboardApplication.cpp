#include "tests/support/InjectedKeyboardApplication.h"

#include "platform/keyboard/SystemKeyboardPresenter.h"
#include "platform/uikit/UITextInput.h"
#include "platform/uikit/UIWindow.h"

// What the keyboard types lands here, as in an application's text field.
class InjectedKeyboardApplication::TypedText final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("InjectedKeyboardTypedText", NSObject::staticClass());
            addMethod(created, sel::insertText,
                [](NSObject* self, NSString text) { static_cast<TypedText*>(self)->text += text.utf8(); });
            addMethod(created, sel::keyboardType, [](NSObject*) { return 0; });
            return created;
        }();
        return cls;
    }
    TypedText()
        : NSObject(staticClass())
    {
    }
    std::string text;
};

InjectedKeyboardApplication::InjectedKeyboardApplication()
    : m_injection(loadInjectedLibraries({ "com.example.notes", "", { "com.apple.UIKit" } }))
    , m_presenter(std::make_unique<SystemKeyboardPresenter>())
    , m_window(UIWindow::make(CGRectMake(0, 0, 320, 480)))
    , m_input(makeRef<TypedText>())
{
}

InjectedKeyboardApplication::~InjectedKeyboardApplication()
{
    m_presenter->dismissKeyboard();
}

void InjectedKeyboardApplication::showKeyboard()
{
    m_presenter->presentKeyboard(m_window.get(), m_input.get());
}

const std::string& InjectedKeyboardApplication::typedText() const
{
    return m_input->text;
}

void InjectedKeyboardApplication::clearTypedText()
{
    m_input->text.clear();
}
