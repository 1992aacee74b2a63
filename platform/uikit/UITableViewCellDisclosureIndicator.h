#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIView.h"

// The grey chevron at the right of a row that leads to another page; white
// while its row is highlighted.
class PLATFORM_EXPORT UITableViewCellDisclosureIndicator final : public UIView {
public:
    static Class* staticClass();
    static constexpr CGSize size { 10, 14 };

    UITableViewCellDisclosureIndicator();

    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);

    void drawRectImpl(CGRect rect);

private:
    bool m_highlighted { false };
};
