#include "platform/uikit/UIApplication.h"

#include "platform/uikit/UIWindow.h"

Class* UIApplication::staticClass()
{
    static Class* cls = objc_allocateClass("UIApplication", NSObject::staticClass());
    return cls;
}

UIApplication::UIApplication()
    : NSObject(staticClass())
{
}

UIApplication* UIApplication::sharedApplication()
{
    // One per process, alive until it ends.
    static auto* application = new UIApplication; // NOLINT: intentionally never freed
    return application;
}

UIWindow* UIApplication::keyWindow() const
{
    return m_keyWindow.get();
}

void UIApplication::setKeyWindow(UIWindow* window)
{
    m_keyWindow = window;
}

bool UIApplication::openURL(const NSURL& url)
{
    if (url.isNil())
        return false;
    m_openedURLs.push_back(url.absoluteString());
    return true;
}
