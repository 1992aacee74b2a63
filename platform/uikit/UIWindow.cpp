#include "platform/uikit/UIWindow.h"

#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NSSet.h"
#include "platform/graphics/CGBitmapContext.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIScreen.h"
#include "platform/uikit/UIScrollView.h"

Class* UIWindow::staticClass()
{
    static Class* cls = objc_allocateClass("UIWindow", UIView::staticClass());
    return cls;
}

UIWindow::UIWindow(CGRect frame, Class* cls)
    : UIView(frame, cls)
{
}

void UIWindow::scheduleDisplayPass()
{
    if (m_displayPassScheduled)
        return;
    m_displayPassScheduled = true;
    if (m_scheduler) {
        m_scheduler();
        return;
    }
    WeakPtr<UIWindow> window(this);
    NSRunLoop::main().performOnNextTurn([window] {
        if (UIWindow* scheduled = window.get(); scheduled && scheduled->isDisplayPassScheduled())
            scheduled->runDisplayPass();
    });
}

void UIWindow::runDisplayPass()
{
    m_displayPassScheduled = false;
    layoutIfNeeded();
}

CGImageRef UIWindow::snapshotImage(CGFloat scale)
{
    runDisplayPass();
    CGSize size = frame().size;
    CGContextPtr bitmap
        = CGBitmapContextCreate(size.width, size.height, scale > 0 ? scale : UIScreen::mainScreen()->scale());
    if (!bitmap)
        return nullptr;
    drawHierarchy(*bitmap);
    return CGBitmapContextCreateImage(bitmap.get());
}

bool UIWindow::writeSnapshotPNG(const std::string& path, CGFloat scale)
{
    return CGImageWritePNG(snapshotImage(scale), path);
}

void UIWindow::makeKeyAndVisible()
{
    setHidden(false);
    UIApplication::sharedApplication()->setKeyWindow(this);
}

bool UIWindow::isKeyWindow() const
{
    return UIApplication::sharedApplication()->keyWindow() == this;
}

UITouch* UIWindow::touchForFinger(int finger) const
{
    auto found = m_touches.find(finger);
    return found == m_touches.end() ? nullptr : found->second.get();
}

void UIWindow::sendTouch(int finger, UITouchPhase phase, CGPoint location)
{
    if (phase == UITouchPhase::Began) {
        // A finger pressed again without a release first: the old touch is lost.
        if (touchForFinger(finger))
            sendTouch(finger, UITouchPhase::Cancelled, location);
        beginTouch(finger, location);
        return;
    }
    RefPtr<UITouch> touch(touchForFinger(finger));
    if (!touch)
        return;
    touch->moveTo(location, phase);
    // The host's fingers report one at a time, so each set holds the one touch that changed.
    RefPtr<NSSet> touches = NSSet::setWithObject(touch.get());
    switch (phase) {
    case UITouchPhase::Moved:
    case UITouchPhase::Stationary:
        handOverToScrollView(touch.get());
        send(touch->view(), sel::touchesMoved, touches.get(), nullptr);
        return;
    case UITouchPhase::Ended:
        m_touches.erase(finger);
        send(touch->view(), sel::touchesEnded, touches.get(), nullptr);
        return;
    case UITouchPhase::Cancelled:
        m_touches.erase(finger);
        send(touch->view(), sel::touchesCancelled, touches.get(), nullptr);
        return;
    case UITouchPhase::Began:
        return;
    }
}

void UIWindow::tap(CGPoint location)
{
    constexpr int tapFinger = 0;
    sendTouch(tapFinger, UITouchPhase::Began, location);
    sendTouch(tapFinger, UITouchPhase::Ended, location);
}

void UIWindow::beginTouch(int finger, CGPoint location)
{
    auto* view = runtimeCast<UIView>(send(this, sel::hitTest, location));
    if (!view)
        return;
    auto touch = makeRef<UITouch>(this, view, location);
    m_touches[finger] = touch;
    send(view, sel::touchesBegan, NSSet::setWithObject(touch.get()).get(), nullptr);
}

void UIWindow::handOverToScrollView(UITouch* touch)
{
    UIView* view = touch->view();
    if (!view)
        return;
    for (UIView* ancestor = view->superview(); ancestor; ancestor = ancestor->superview()) {
        auto* scrollView = runtimeCast<UIScrollView>(ancestor);
        if (!scrollView)
            continue;
        if (scrollView->shouldBeginDragging(touch)) {
            send(view, sel::touchesCancelled, NSSet::setWithObject(touch).get(), nullptr);
            touch->setView(scrollView);
            scrollView->beginDragging(touch);
        }
        return;
    }
}
