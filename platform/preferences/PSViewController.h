#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UIViewController.h"

class UITableView;

// The Settings application's page messages. A page is made with alloc and
// initForContentSize: (the size of the space under the navigation bar) and
// answers what it shows; the host sends all of these through the method
// table, so a pane's page overrides them.
namespace sel {
inline constinit Selector<NSObject*(CGSize)> initForContentSize("initForContentSize:");
inline constinit Selector<UITableView*()> table("table");
inline constinit Selector<NSString()> navigationTitle("navigationTitle");
inline constinit Selector<NSObject*()> preferences("preferences");
inline constinit Selector<CGSize()> contentSize("contentSize");
inline constinit Selector<void(NSObject*)> setRootController("setRootController:");
inline constinit Selector<NSObject*()> rootController("rootController");
inline constinit Selector<void(NSObject*)> setParentController("setParentController:");
inline constinit Selector<NSObject*()> parentController("parentController");
inline constinit Selector<void(NSObject*)> pushController("pushController:");
inline constinit Selector<void()> popController("popController");
} // namespace sel

// A page of the Settings application. pushController: shows another page on
// top of the page stack this page is on, with a back button to this one,
// and makes this page the new one's parent controller; popController takes
// the top page away. The root and parent controllers are not kept alive.
class PLATFORM_EXPORT PSViewController : public UIViewController {
public:
    static Class* staticClass();

    explicit PSViewController(Class* cls = staticClass());

    NSObject* initForContentSizeImpl(CGSize size);
    UITableView* tableImpl() { return nullptr; }
    NSString navigationTitleImpl() { return send(this, sel::title); }
    NSObject* preferencesImpl() { return nullptr; }
    CGSize contentSizeImpl() { return m_contentSize; }
    void setRootControllerImpl(NSObject* controller) { m_rootController = controller; }
    NSObject* rootControllerImpl() { return m_rootController.get(); }
    void setParentControllerImpl(NSObject* controller) { m_parentController = controller; }
    NSObject* parentControllerImpl() { return m_parentController.get(); }
    void pushControllerImpl(NSObject* page);
    void popControllerImpl();

protected:
    RefPtr<UIView> loadView() override;

private:
    CGSize m_contentSize { 320, 416 };
    WeakPtr<NSObject> m_rootController;
    WeakPtr<NSObject> m_parentController;
};
