#include "platform/uikit/UINavigationItem.h"

Class* UINavigationItem::staticClass()
{
    static Class* cls = objc_allocateClass("UINavigationItem", NSObject::staticClass());
    return cls;
}

UINavigationItem::UINavigationItem(NSString title)
    : NSObject(staticClass())
    , m_title(std::move(title))
{
}

void UINavigationItem::changed()
{
    if (m_changed)
        m_changed();
}

void UINavigationItem::setTitle(NSString title)
{
    m_title = std::move(title);
    changed();
}

void UINavigationItem::setTitleView(UIView* view)
{
    m_titleView = RefPtr(view);
    changed();
}

void UINavigationItem::setRightBarButtonItem(UIBarButtonItem* item)
{
    m_rightItem = RefPtr(item);
    changed();
}

void UINavigationItem::setHidesBackButton(bool hides)
{
    m_hidesBackButton = hides;
    changed();
}
