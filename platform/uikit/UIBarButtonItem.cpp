#include "platform/uikit/UIBarButtonItem.h"

Class* UIBarButtonItem::staticClass()
{
    static Class* cls = objc_allocateClass("UIBarButtonItem", NSObject::staticClass());
    return cls;
}

UIBarButtonItem::UIBarButtonItem(RefPtr<UIView> customView)
    : NSObject(staticClass())
    , m_customView(std::move(customView))
{
}
