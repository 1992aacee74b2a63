#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIView.h"

#include <functional>

// The root of a view tree on screen. Display requests anywhere in the tree
// schedule one display pass, which the host runs on its main run loop: lay
// out what asked for it, then draw the tree.
class PLATFORM_EXPORT UIWindow : public UIView {
public:
    static Class* staticClass();
    static RefPtr<UIWindow> make(CGRect frame) { return makeRef<UIWindow>(frame); }

    explicit UIWindow(CGRect frame, Class* cls = staticClass());

    void scheduleDisplayPass();
    bool isDisplayPassScheduled() const { return m_displayPassScheduled; }
    // Lays out the tree; the host then draws it with drawHierarchy.
    void runDisplayPass();

    // Set by the host: how a scheduled pass reaches its run loop.
    void setDisplayPassScheduler(std::function<void()> scheduler) { m_scheduler = std::move(scheduler); }

private:
    bool m_displayPassScheduled { false };
    std::function<void()> m_scheduler;
};
