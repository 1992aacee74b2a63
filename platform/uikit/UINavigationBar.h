#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UILabel.h"
#include "platform/uikit/UINavigationItem.h"

#include <functional>
#include <vector>

// The bar at the top of a page stack. It shows the top item's title view, or
// its title, in the middle, the item's right view at the right and, when
// there is a page underneath, a back button named after that page.
class PLATFORM_EXPORT UINavigationBar final : public UIView {
public:
    static Class* staticClass();
    static constexpr CGFloat barHeight = 44;

    explicit UINavigationBar(CGRect frame);
    ~UINavigationBar() override;

    // The stack of items, the top one last.
    void setItems(std::vector<RefPtr<UINavigationItem>> items);
    UINavigationItem* topItem() const;
    UINavigationItem* backItem() const;
    // What the back button does.
    void setBackAction(std::function<void()> action) { m_backAction = std::move(action); }

    UIButton* backButton() const { return m_backButton.get(); }
    UILabel* titleLabel() const { return m_titleLabel.get(); }
    // The views the bar shows now (nothing where none).
    UIView* shownTitleView() const { return m_shownTitleView.get(); }
    UIView* shownRightView() const { return m_shownRightView.get(); }

    void layoutSubviewsImpl();
    void drawRectImpl(CGRect rect);

private:
    void show(RefPtr<UIView>& shown, UIView* wanted);

    std::vector<RefPtr<UINavigationItem>> m_items;
    std::function<void()> m_backAction;
    RefPtr<UIButton> m_backButton;
    RefPtr<UILabel> m_titleLabel;
    RefPtr<UIView> m_shownTitleView;
    RefPtr<UIView> m_shownRightView;
};
