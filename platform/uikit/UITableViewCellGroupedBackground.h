#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UITableViewCell.h"

#include <optional>

// The table's own background of a cell: in a grouped table a white shape
// with a grey border whose outer corners are rounded (top corners for the
// first row of a section, bottom corners for the last, all four for a row
// alone) with a separator line under every row but the last; in a plain
// table a white row with a separator. A selection colour fills the shape
// while the cell is highlighted.
class PLATFORM_EXPORT UITableViewCellGroupedBackground final : public UIView {
public:
    static Class* staticClass();
    static constexpr CGFloat cornerRadius = 8;

    UITableViewCellGroupedBackground();

    void setGroupPosition(bool grouped, UITableViewCellGroupPosition position);
    UITableViewCellGroupPosition groupPosition() const { return m_position; }
    void setFillColor(std::optional<CGColor> selectionColor);
    // Whether only the selection shows (the cell has a background of its own).
    void setOutlineHidden(bool hidden);

    void drawRectImpl(CGRect rect);

private:
    // The rounded rectangle whose clipped part is the cell's shape.
    CGRect shapeRect(CGRect rect) const;

    bool m_grouped { false };
    bool m_outlineHidden { false };
    UITableViewCellGroupPosition m_position { UITableViewCellGroupPosition::Alone };
    std::optional<CGColor> m_selectionColor;
};
