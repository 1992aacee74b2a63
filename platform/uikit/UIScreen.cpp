#include "platform/uikit/UIScreen.h"

Class* UIScreen::staticClass()
{
    static Class* cls = objc_allocateClass("UIScreen", NSObject::staticClass());
    return cls;
}

UIScreen::UIScreen()
    : NSObject(staticClass())
{
}

UIScreen* UIScreen::mainScreen()
{
    // One screen per process, alive until it ends.
    static auto* screen = new UIScreen; // NOLINT: intentionally never freed
    return screen;
}
