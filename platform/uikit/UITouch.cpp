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
            auto* touch = static_cast<UITouch*>(self);
            // A location kept for this object was converted for it as a view.
            if (std::optional<CGPoint> kept = touch->keptLocationInView(view))
                return *kept;
            return touch->convertAndKeep(runtimeCast<UIView>(view));
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

CGPoint UITouch::convertAndKeep(UIView* view) const
{
    CGPoint location = convertToView(m_location, view);
    m_converted = ConvertedLocation { view, UIView::geometryGeneration(), location };
    return location;
}

CGPoint UITouch::locationInView(UIView* view) const
{
    if (std::optional<CGPoint> kept = keptLocationInView(view))
        return *kept;
    return convertAndKeep(view);
}

CGPoint UITouch::previousLocationInView(UIView* view) const
{
    return convertToView(m_previousLocation, view);
}

void UITouch::moveTo(CGPoint locationInWindow, UITouchPhase phase)
{
    m_previousLocation = m_location;
    m_location = locationInWindow;
    m_converted.reset();
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
