#include "platform/uikit/UIViewController.h"

#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIWindow.h"

Class* UIViewController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIViewController", NSObject::staticClass());
        addAllocator<UIViewController>(created);
        addMethod<&UIViewController::initImpl>(created, sel::init);
        addMethod<&UIViewController::viewImpl>(created, sel::view);
        addMethod<&UIViewController::titleImpl>(created, sel::title);
        addMethod<&UIViewController::viewWillAppearImpl>(created, sel::viewWillAppear);
        addMethod<&UIViewController::viewDidAppearImpl>(created, sel::viewDidAppear);
        addMethod<&UIViewController::viewWillDisappearImpl>(created, sel::viewWillDisappear);
        addMethod<&UIViewController::viewDidDisappearImpl>(created, sel::viewDidDisappear);
        addMethod<&UIViewController::presentViewControllerAnimatedCompletion>(
            created, sel::presentViewControllerAnimatedCompletion);
        addMethod<&UIViewController::presentModalViewControllerAnimated>(
            created, sel::presentModalViewControllerAnimated);
        addMethod<&UIViewController::dismissModalViewControllerAnimated>(
            created, sel::dismissModalViewControllerAnimated);
        return created;
    }();
    return cls;
}

UIViewController::UIViewController(Class* cls)
    : NSObject(cls)
{
}

UIViewController::~UIViewController() = default;

void UIViewController::setView(RefPtr<UIView> view)
{
    m_view = std::move(view);
}

RefPtr<UIView> UIViewController::loadView()
{
    return UIView::make(UIScreen::mainScreen()->bounds());
}

UIView* UIViewController::viewImpl()
{
    if (!m_view)
        m_view = loadView();
    return m_view.get();
}

void UIViewController::setTitle(NSString title)
{
    m_title = title;
    if (m_navigationItem)
        m_navigationItem->setTitle(std::move(title));
}

UINavigationItem* UIViewController::navigationItem()
{
    if (!m_navigationItem)
        m_navigationItem = UINavigationItem::make(send(this, sel::title));
    return m_navigationItem.get();
}

UINavigationController* UIViewController::navigationController() const
{
    return runtimeCast<UINavigationController>(m_navigationController.get());
}

void UIViewController::setNavigationController(UINavigationController* controller)
{
    m_navigationController = controller;
}

// The presented page covers the key window (or this page's window) until it
// is dismissed.
void UIViewController::presentViewControllerAnimatedCompletion(
    UIViewController* controller, bool animated, std::function<void()> completion)
{
    if (!controller || m_presented)
        return;
    UIView* own = view();
    UIWindow* window = own ? own->window() : nullptr;
    if (!window)
        window = UIApplication::sharedApplication()->keyWindow();
    m_presented = RefPtr(controller);
    controller->m_presenting = this;
    UIView* sheet = controller->view();
    if (window && sheet) {
        sheet->setFrame(window->bounds());
        send(controller, sel::viewWillAppear, animated);
        window->addSubview(RefPtr(sheet));
        send(controller, sel::viewDidAppear, animated);
    }
    if (completion)
        completion();
}

void UIViewController::presentModalViewControllerAnimated(UIViewController* controller, bool animated)
{
    presentViewControllerAnimatedCompletion(controller, animated, nullptr);
}

void UIViewController::dismissModalViewControllerAnimated(bool animated)
{
    if (!m_presented) {
        if (UIViewController* presenter = m_presenting.get())
            send(presenter, sel::dismissModalViewControllerAnimated, animated);
        return;
    }
    RefPtr<UIViewController> presented = std::move(m_presented);
    presented->m_presenting = nullptr;
    send(presented.get(), sel::viewWillDisappear, animated);
    if (presented->m_view)
        presented->m_view->removeFromSuperview();
    send(presented.get(), sel::viewDidDisappear, animated);
}
