#include "platform/keyboard/UIKeyboard.h"

#include "platform/keyboard/UIKeyboardImpl.h"

namespace {

WeakPtr<UIKeyboard>& activeKeyboardView()
{
    static WeakPtr<UIKeyboard> keyboard;
    return keyboard;
}

} // namespace

Class* UIKeyboard::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKeyboard", UIView::staticClass());
        addMethod(created->metaclass(), sel::activeKeyboard,
            [](NSObject*) -> NSObject* { return activeKeyboardView().get(); });
        return created;
    }();
    return cls;
}

UIKeyboard::UIKeyboard(CGRect frame, RefPtr<UIKeyboardImpl> impl)
    : UIView(frame, staticClass())
    , m_impl(std::move(impl))
{
    addSubview(m_impl);
}

void UIKeyboard::setActiveKeyboard(UIKeyboard* keyboard)
{
    activeKeyboardView() = keyboard;
}
