#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

class UITableViewCellGroupedBackground;

enum UITableViewCellStyle {
    UITableViewCellStyleDefault = 0,
    UITableViewCellStyleValue1 = 1,
    UITableViewCellStyleValue2 = 2,
    UITableViewCellStyleSubtitle = 3,
};

enum UITableViewCellAccessoryType {
    UITableViewCellAccessoryNone = 0,
    UITableViewCellAccessoryDisclosureIndicator = 1,
    UITableViewCellAccessoryDetailDisclosureButton = 2,
    UITableViewCellAccessoryCheckmark = 3,
};

enum UITableViewCellSelectionStyle {
    UITableViewCellSelectionStyleNone = 0,
    UITableViewCellSelectionStyleBlue = 1,
    UITableViewCellSelectionStyleGray = 2,
};

// Where a cell stands in its group, which decides its rounded corners.
enum class UITableViewCellGroupPosition { Alone, Top, Middle, Bottom };

namespace sel {
// Returns the cell, or nothing when it cannot be made; subclasses override it,
// call the base first and configure what it made.
inline constinit Selector<NSObject*(int, NSString)> initWithStyleReuseIdentifier(
    "initWithStyle:reuseIdentifier:");
inline constinit Selector<void()> prepareForReuse("prepareForReuse");
} // namespace sel

// One row of a table. It is made in two steps, as on the platform: the C++
// constructor allocates it (with the subclass's runtime class), then
// initWithStyle:reuseIdentifier:, sent through the method table, builds its
// views for the style. The content view holds the text label, the detail
// label (subtitle style only) and the image view; the accessory stands to
// the right of it. A highlighted or selected cell highlights the labels and
// image views inside it, unless its selection style is none.
class PLATFORM_EXPORT UITableViewCell : public UIView {
public:
    static Class* staticClass();
    // Allocates and initialises a plain cell.
    static Ref<UITableViewCell> make(int style, NSString reuseIdentifier);

    explicit UITableViewCell(Class* cls = staticClass());
    ~UITableViewCell() override;

    NSObject* initWithStyleReuseIdentifier(int style, NSString reuseIdentifier);

    int style() const { return m_style; }
    const NSString& reuseIdentifier() const { return m_reuseIdentifier; }
    UIView* contentView() const { return m_contentView.get(); }
    UILabel* textLabel() const { return m_textLabel.get(); }
    // Nothing in the default style.
    UILabel* detailTextLabel() const { return m_detailTextLabel.get(); }
    // Joins the content view on first use.
    UIImageView* imageView();

    int accessoryType() const { return m_accessoryType; }
    void setAccessoryType(int type);
    UIView* accessoryView() const { return m_accessoryView.get(); }
    // Shown in place of the accessory type's own view.
    void setAccessoryView(RefPtr<UIView> view);
    UIView* backgroundView() const { return m_backgroundView.get(); }
    // Replaces the table's own background (the white rounded group shape).
    void setBackgroundView(RefPtr<UIView> view);
    int selectionStyle() const { return m_selectionStyle; }
    void setSelectionStyle(int style);

    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    bool isSelected() const { return m_selected; }
    void setSelected(bool selected);
    void setSelectedAnimated(bool selected, bool animated);

    // Set by the table that shows the cell.
    void setGroupPosition(bool grouped, UITableViewCellGroupPosition position);
    bool isGrouped() const { return m_grouped; }
    // The rectangle the cell's group shape covers (the cell less the margins
    // of a grouped table).
    CGRect groupRect() const;

    void layoutSubviewsImpl();
    void prepareForReuseImpl() { }

private:
    Ref<UILabel> makeLabel(UIFont* font, UIColor* color);
    void applyHighlight();
    UIView* shownAccessoryView() const;
    void layoutLabels(CGRect content);

    int m_style { UITableViewCellStyleDefault };
    NSString m_reuseIdentifier;
    RefPtr<UIView> m_contentView;
    RefPtr<UILabel> m_textLabel;
    RefPtr<UILabel> m_detailTextLabel;
    RefPtr<UIImageView> m_imageView;
    int m_accessoryType { UITableViewCellAccessoryNone };
    RefPtr<UIView> m_accessoryView;
    RefPtr<UIView> m_disclosureIndicator;
    RefPtr<UIView> m_backgroundView;
    RefPtr<UITableViewCellGroupedBackground> m_groupBackground;
    int m_selectionStyle { UITableViewCellSelectionStyleBlue };
    bool m_highlighted { false };
    bool m_selected { false };
    bool m_grouped { false };
    UITableViewCellGroupPosition m_groupPosition { UITableViewCellGroupPosition::Alone };
};
