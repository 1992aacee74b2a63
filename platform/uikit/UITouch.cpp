#include "platform/uikit/UITouch.h"

#include "platform/foundation/NSSet.h"
#include "platform/uikit/UIWindow.h"

namespace {
// Declared with the keyboard's messages too; the name and signature match.
constinit Selector<CGPoint(NSObject*)> locationInViewMessage("locationInView:");
} // namespace

Class* UITouch::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UITouch", NSObject::staticClass());
        addMethod(created, locationInViewMessage, [](NSObject* self, NSObject* view) {
            return static_cast<UITouch*>(self)->locationInView(runtimeCast<UIView>(view));
        });
        return created;
    }();
    return cls;
}

UITouch::UITouch(UIWindow* window, UIView* view, CGPoint locationInWindow)
    : NSObject(staticClass())
    , m_window(window)
    , m_view(view)
    , m_location(locationInWindow)
    , m_previousLocation(locationInWindow)
    , m_startLocation(locationInWindow)
{
}

UIWindow* UITouch::window() const
{
    return m_window.get();
}

CGPoint UITouch::convertToView(CGPoint location, UIView* view) const
{
    if (!view)
        return location;
    // Without a window the view's root stands in for it.
    return view->convertPointFromView(location, m_window.get());
}

CGPoint UITouch::locationInView(UIView* view) const
{
    return convertToView(m_location, view);
}

CGPoint UITouch::previousLocationInView(UIView* view) const
{
    return convertToView(m_previousLocation, view);
}

void UITouch::moveTo(CGPoint locationInWindow, UITouchPhase phase)
{
    m_previousLocation = m_location;
    m_location = locationInWindow;
    m_phase = phase;
}

void UITouch::setView(UIView* view)
{
    m_view = view;
}

std::vector<UITouch*> touchesOf(NSSet* touches)
{
    std::vector<UITouch*> found;
    if (!touches)
        return found;
    for (const RefPtr<NSObject>& object : *touches) {
        if (auto* touch = runtimeCast<UITouch>(object.get()))
            found.push_back(touch);
    }
    return found;
}
