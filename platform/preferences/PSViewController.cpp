#include "platform/preferences/PSViewController.h"

#include "platform/uikit/UINavigationController.h"

Class* PSViewController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("PSViewController", UIViewController::staticClass());
        addAllocator<PSViewController>(created);
        addMethod<&PSViewController::initForContentSizeImpl>(created, sel::initForContentSize);
        addMethod<&PSViewController::tableImpl>(created, sel::table);
        addMethod<&PSViewController::navigationTitleImpl>(created, sel::navigationTitle);
        addMethod<&PSViewController::preferencesImpl>(created, sel::preferences);
        addMethod<&PSViewController::contentSizeImpl>(created, sel::contentSize);
        addMethod<&PSViewController::setRootControllerImpl>(created, sel::setRootController);
        addMethod<&PSViewController::rootControllerImpl>(created, sel::rootController);
        addMethod<&PSViewController::setParentControllerImpl>(created, sel::setParentController);
        addMethod<&PSViewController::parentControllerImpl>(created, sel::parentController);
        addMethod<&PSViewController::pushControllerImpl>(created, sel::pushController);
        addMethod<&PSViewController::popControllerImpl>(created, sel::popController);
        return created;
    }();
    return cls;
}

PSViewController::PSViewController(Class* cls)
    : UIViewController(cls)
{
}

NSObject* PSViewController::initForContentSizeImpl(CGSize size)
{
    m_contentSize = size;
    return this;
}

RefPtr<UIView> PSViewController::loadView()
{
    return UIView::make({ { 0, 0 }, send(this, sel::contentSize) });
}

void PSViewController::pushControllerImpl(NSObject* page)
{
    auto* controller = runtimeCast<UIViewController>(page);
    if (!controller || controller == this)
        return;
    if (class_respondsToSelector(object_getClass(page), sel::setParentController.id()))
        send(page, sel::setParentController, this);
    if (UINavigationController* stack = navigationController()) {
        if (class_respondsToSelector(object_getClass(stack), sel::pushController.id()))
            send(stack, sel::pushController, page);
        else
            stack->pushViewControllerAnimated(RefPtr(controller), true);
        return;
    }
    // A page that is not on a stack itself asks its parent to show the page.
    NSObject* parent = m_parentController.get();
    if (parent && parent != this)
        send(parent, sel::pushController, page);
}

void PSViewController::popControllerImpl()
{
    if (UINavigationController* stack = navigationController())
        stack->popViewControllerAnimated(true);
}
