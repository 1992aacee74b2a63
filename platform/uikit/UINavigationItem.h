#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UIBarButtonItem.h"

#include <functional>

// What a page shows in the navigation bar while it is on top: a title, or a
// title view in its place, and an item at the right. The bar that shows the
// item is told when any of it changes.
class PLATFORM_EXPORT UINavigationItem final : public NSObject {
public:
    static Class* staticClass();
    static Ref<UINavigationItem> make(NSString title = {})
    {
        return makeRef<UINavigationItem>(std::move(title));
    }

    explicit UINavigationItem(NSString title = {});

    const NSString& title() const { return m_title; }
    void setTitle(NSString title);
    UIView* titleView() const { return m_titleView.get(); }
    void setTitleView(RefPtr<UIView> view);
    UIBarButtonItem* rightBarButtonItem() const { return m_rightItem.get(); }
    void setRightBarButtonItem(RefPtr<UIBarButtonItem> item);
    bool hidesBackButton() const { return m_hidesBackButton; }
    void setHidesBackButton(bool hides);

    // Set by the bar that shows the item.
    void setChangeHandler(std::function<void()> handler) { m_changed = std::move(handler); }

private:
    void changed();

    NSString m_title;
    RefPtr<UIView> m_titleView;
    RefPtr<UIBarButtonItem> m_rightItem;
    bool m_hidesBackButton { false };
    std::function<void()> m_changed;
};
