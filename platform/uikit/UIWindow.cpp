#include "platform/uikit/UIWindow.h"

Class* UIWindow::staticClass()
{
    static Class* cls = objc_allocateClass("UIWindow", UIView::staticClass());
    return cls;
}

UIWindow::UIWindow(CGRect frame, Class* cls)
    : UIView(frame, cls)
{
}

void UIWindow::scheduleDisplayPass()
{
    if (m_displayPassScheduled)
        return;
    m_displayPassScheduled = true;
    if (m_scheduler)
        m_scheduler();
}

void UIWindow::runDisplayPass()
{
    m_displayPassScheduled = false;
    layoutIfNeeded();
}
