#include "platform/keyboard/UIKBKeyplaneView.h"

Class* UIKBKeyplaneView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKBKeyplaneView", UIView::staticClass());
        addMethod<&UIKBKeyplaneView::keyplane>(created, sel::keyplane);
        addMethod<&UIKBKeyplaneView::drawRect>(created, sel::drawRect);
        return created;
    }();
    return cls;
}

UIKBKeyplaneView::UIKBKeyplaneView(CGRect frame)
    : UIView(frame, staticClass())
{
}

void UIKBKeyplaneView::drawRect(CGRect) { }
