#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UINavigationBar.h"
#include "platform/uikit/UIViewController.h"

#include <vector>

// A stack of pages under a navigation bar. The top page's view fills the
// space under the bar; pushing a page shows it with a back button that pops
// it again. Pages are told as they appear and disappear.
class PLATFORM_EXPORT UINavigationController : public UIViewController {
public:
    static Class* staticClass();

    explicit UINavigationController(
        UIViewController* rootViewController = nullptr, Class* cls = staticClass());

    void pushViewControllerAnimated(RefPtr<UIViewController> controller, bool animated);
    // Answers the page that left, or nothing when only the root is left.
    RefPtr<UIViewController> popViewControllerAnimated(bool animated);
    UIViewController* topViewController() const;
    const std::vector<RefPtr<UIViewController>>& viewControllers() const { return m_stack; }
    UINavigationBar* navigationBar();

    // Sent to the stack itself as it appears or leaves; passed on to the top page.
    void viewWillAppearImpl(bool animated);
    void viewDidAppearImpl(bool animated);
    void viewWillDisappearImpl(bool animated);
    void viewDidDisappearImpl(bool animated);

protected:
    RefPtr<UIView> loadView() override;

private:
    CGRect contentFrame();
    void showTop(UIViewController* leaving, bool animated);
    void updateBar();

    std::vector<RefPtr<UIViewController>> m_stack;
    RefPtr<UINavigationBar> m_bar;
    // The view of the page on top, as it was asked for when the page arrived.
    RefPtr<UIView> m_shownPageView;
    bool m_onScreen { false };
};
