#include "platform/keyboard/UITouch.h"

Class* UITouch::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UITouch", NSObject::staticClass());
        addMethod<&UITouch::locationInView>(created, sel::locationInView);
        return created;
    }();
    return cls;
}

UITouch::UITouch(CGPoint locationInWindow)
    : NSObject(staticClass())
    , m_locationInWindow(locationInWindow)
{
}

CGPoint UITouch::locationInView(NSObject* view)
{
    if (auto* target = runtimeCast<UIView>(view))
        return target->convertPointFromView(m_locationInWindow, nullptr);
    return m_locationInWindow;
}
