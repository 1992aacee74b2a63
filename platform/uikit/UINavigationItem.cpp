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

void UINavigationItem::setTitleView(RefPtr<UIView> view)
{
    m_titleView = std::move(view);
    changed();
}

void UINavigationItem::setRightBarButtonItem(RefPtr<UIBarButtonItem> item)
{
    m_rightItem = std::move(item);
    changed();
}

void UINavigationItem::setHidesBackButton(bool hides)
{
    m_hidesBackButton = hides;
    changed();
}
