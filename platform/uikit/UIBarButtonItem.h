#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIView.h"

// An item of a navigation bar; here always a view of the caller's own (such
// as a button), shown at its own size.
class PLATFORM_EXPORT UIBarButtonItem final : public NSObject {
public:
    static Class* staticClass();
    static Ref<UIBarButtonItem> make(RefPtr<UIView> customView)
    {
        return makeRef<UIBarButtonItem>(std::move(customView));
    }

    // initWithCustomView:
    explicit UIBarButtonItem(RefPtr<UIView> customView);

    UIView* customView() const { return m_customView.get(); }

private:
    RefPtr<UIView> m_customView;
};
