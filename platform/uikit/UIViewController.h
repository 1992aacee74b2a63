#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/NSObjectAllocation.h"
#include "platform/uikit/UINavigationItem.h"
#include "platform/uikit/UIView.h"

#include <functional>

class UINavigationController;
class UIViewController;

// The messages a page answers and overrides; the host and the page stack
// send them through the method table.
namespace sel {
inline constinit Selector<UIView*()> view("view");
inline constinit Selector<NSString()> title("title");
inline constinit Selector<void(bool)> viewWillAppear("viewWillAppear:");
inline constinit Selector<void(bool)> viewDidAppear("viewDidAppear:");
inline constinit Selector<void(bool)> viewWillDisappear("viewWillDisappear:");
inline constinit Selector<void(bool)> viewDidDisappear("viewDidDisappear:");
inline constinit Selector<void(UIViewController*, bool, std::function<void()>)>
    presentViewControllerAnimatedCompletion("presentViewController:animated:completion:");
inline constinit Selector<void(UIViewController*, bool)> presentModalViewControllerAnimated(
    "presentModalViewController:animated:");
inline constinit Selector<void(bool)> dismissModalViewControllerAnimated(
    "dismissModalViewControllerAnimated:");
} // namespace sel

// A page: it owns its view (made on first request), names itself in the
// navigation bar through its navigation item, and presents other pages over
// the whole window. A presented page lives as long as it is presented.
class PLATFORM_EXPORT UIViewController : public NSObject {
public:
    static Class* staticClass();

    explicit UIViewController(Class* cls = staticClass());
    ~UIViewController() override;

    // The view, made by loadView on first request (through the method table,
    // so a page that overrides view decides).
    UIView* view() { return send(this, sel::view); }
    bool isViewLoaded() const { return m_view != nullptr; }
    void setView(RefPtr<UIView> view);
    NSString title() { return send(this, sel::title); }
    void setTitle(NSString title);
    UINavigationItem* navigationItem();
    UINavigationController* navigationController() const;
    void setNavigationController(UINavigationController* controller);

    UIViewController* presentedViewController() const { return m_presented.get(); }
    UIViewController* presentingViewController() const { return m_presenting.get(); }

    // The platform's own implementations of the messages.
    NSObject* initImpl() { return this; }
    UIView* viewImpl();
    NSString titleImpl() { return m_title; }
    void viewWillAppearImpl(bool) { }
    void viewDidAppearImpl(bool) { }
    void viewWillDisappearImpl(bool) { }
    void viewDidDisappearImpl(bool) { }
    void presentViewControllerAnimatedCompletion(
        UIViewController* controller, bool animated, std::function<void()> completion);
    void presentModalViewControllerAnimated(UIViewController* controller, bool animated);
    // Sent to the presented page or its presenter alike: the presentation ends.
    void dismissModalViewControllerAnimated(bool animated);

protected:
    // Makes the view when it is first asked for: an empty one by default.
    virtual RefPtr<UIView> loadView();

private:
    RefPtr<UIView> m_view;
    NSString m_title;
    RefPtr<UINavigationItem> m_navigationItem;
    WeakPtr<NSObject> m_navigationController;
    RefPtr<UIViewController> m_presented;
    WeakPtr<UIViewController> m_presenting;
};
