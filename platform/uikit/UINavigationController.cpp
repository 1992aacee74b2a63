#include "platform/uikit/UINavigationController.h"

#include "platform/uikit/UIScreen.h"

Class* UINavigationController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UINavigationController", UIViewController::staticClass());
        addMethod<&UINavigationController::viewWillAppearImpl>(created, sel::viewWillAppear);
        addMethod<&UINavigationController::viewDidAppearImpl>(created, sel::viewDidAppear);
        addMethod<&UINavigationController::viewWillDisappearImpl>(created, sel::viewWillDisappear);
        addMethod<&UINavigationController::viewDidDisappearImpl>(created, sel::viewDidDisappear);
        return created;
    }();
    return cls;
}

UINavigationController::UINavigationController(UIViewController* rootViewController, Class* cls)
    : UIViewController(cls)
{
    if (rootViewController)
        pushViewControllerAnimated(RefPtr(rootViewController), false);
}

RefPtr<UIView> UINavigationController::loadView()
{
    auto container = UIView::make(UIScreen::mainScreen()->bounds());
    container->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    return container;
}

UINavigationBar* UINavigationController::navigationBar()
{
    if (!m_bar) {
        UIView* container = view();
        m_bar = makeRef<UINavigationBar>(
            CGRectMake(0, 0, container->frame().width(), UINavigationBar::barHeight));
        m_bar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
        m_bar->setBackAction([this] { popViewControllerAnimated(true); });
        container->addSubview(m_bar);
        updateBar();
    }
    return m_bar.get();
}

CGRect UINavigationController::contentFrame()
{
    CGSize size = view()->frame().size;
    return { { 0, UINavigationBar::barHeight }, { size.width, size.height - UINavigationBar::barHeight } };
}

UIViewController* UINavigationController::topViewController() const
{
    return m_stack.empty() ? nullptr : m_stack.back().get();
}

void UINavigationController::updateBar()
{
    if (!m_bar)
        return;
    std::vector<RefPtr<UINavigationItem>> items;
    for (auto& controller : m_stack)
        items.emplace_back(controller->navigationItem());
    m_bar->setItems(std::move(items));
}

// The leaving page's view goes and the new top page's view fills the space
// under the bar; each is told, while the stack is on screen.
void UINavigationController::showTop(UIViewController* leaving, bool animated)
{
    UIViewController* arriving = topViewController();
    if (m_onScreen) {
        send(leaving, sel::viewWillDisappear, animated);
        send(arriving, sel::viewWillAppear, animated);
    }
    if (m_shownPageView)
        m_shownPageView->removeFromSuperview();
    m_shownPageView = arriving ? RefPtr(arriving->view()) : nullptr;
    if (m_shownPageView) {
        m_shownPageView->setFrame(contentFrame());
        m_shownPageView->setAutoresizingMask(
            UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        view()->insertSubviewAtIndex(m_shownPageView, 0);
    }
    navigationBar();
    updateBar();
    if (m_onScreen) {
        send(leaving, sel::viewDidDisappear, animated);
        send(arriving, sel::viewDidAppear, animated);
    }
}

void UINavigationController::pushViewControllerAnimated(RefPtr<UIViewController> controller, bool animated)
{
    if (!controller)
        return;
    RefPtr<UIViewController> leaving(topViewController());
    controller->setNavigationController(this);
    m_stack.push_back(std::move(controller));
    showTop(leaving.get(), animated);
}

RefPtr<UIViewController> UINavigationController::popViewControllerAnimated(bool animated)
{
    if (m_stack.size() < 2)
        return nullptr;
    RefPtr<UIViewController> leaving = std::move(m_stack.back());
    m_stack.pop_back();
    showTop(leaving.get(), animated);
    leaving->setNavigationController(nullptr);
    return leaving;
}

void UINavigationController::viewWillAppearImpl(bool animated)
{
    send(topViewController(), sel::viewWillAppear, animated);
}

void UINavigationController::viewDidAppearImpl(bool animated)
{
    m_onScreen = true;
    send(topViewController(), sel::viewDidAppear, animated);
}

void UINavigationController::viewWillDisappearImpl(bool animated)
{
    send(topViewController(), sel::viewWillDisappear, animated);
}

void UINavigationController::viewDidDisappearImpl(bool animated)
{
    m_onScreen = false;
    send(topViewController(), sel::viewDidDisappear, animated);
}
