#include "platform/preferences/PSRootController.h"

#include "platform/preferences/PSViewController.h"

namespace {

// A Settings page names itself in the bar by its navigationTitle.
void nameInBar(UIViewController* page)
{
    if (!class_respondsToSelector(object_getClass(page), sel::navigationTitle.id()))
        return;
    NSString title = send(page, sel::navigationTitle);
    if (!title.isNil() && !title.isEmpty())
        page->navigationItem()->setTitle(title);
}

} // namespace

Class* PSRootController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("PSRootController", UINavigationController::staticClass());
        addMethod<&PSRootController::pushControllerImpl>(created, sel::pushController);
        addMethod<&PSRootController::popControllerImpl>(created, sel::popController);
        return created;
    }();
    return cls;
}

PSRootController::PSRootController(UIViewController* rootPage)
    : UINavigationController(nullptr, staticClass())
{
    if (rootPage)
        pushControllerImpl(rootPage);
}

void PSRootController::pushControllerImpl(NSObject* page)
{
    auto* controller = runtimeCast<UIViewController>(page);
    if (!controller)
        return;
    nameInBar(controller);
    if (class_respondsToSelector(object_getClass(page), sel::setRootController.id())
        && !send(page, sel::rootController))
        send(page, sel::setRootController, this);
    pushViewControllerAnimated(RefPtr(controller), true);
}

void PSRootController::popControllerImpl()
{
    popViewControllerAnimated(true);
}
