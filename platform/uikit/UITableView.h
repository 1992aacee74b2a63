#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/NSIndexPath.h"
#include "platform/uikit/UIScrollView.h"
#include "platform/uikit/UITableViewCell.h"

#include <map>
#include <optional>
#include <vector>

class UITableView;

enum UITableViewStyle {
    UITableViewStylePlain = 0,
    UITableViewStyleGrouped = 1,
};

// The data source's and the delegate's messages. numberOfRowsInSection and
// cellForRowAtIndexPath are required of a data source; the others are
// optional and have the platform's defaults (one section, no header titles,
// rows 44 high, nothing on selection).
namespace sel {
inline constinit Selector<int(UITableView*)> numberOfSectionsInTableView("numberOfSectionsInTableView:");
inline constinit Selector<int(UITableView*, int)> tableViewNumberOfRowsInSection(
    "tableView:numberOfRowsInSection:");
inline constinit Selector<NSString(UITableView*, int)> tableViewTitleForHeaderInSection(
    "tableView:titleForHeaderInSection:");
inline constinit Selector<RefPtr<UITableViewCell>(UITableView*, NSIndexPath)> tableViewCellForRowAtIndexPath(
    "tableView:cellForRowAtIndexPath:");
inline constinit Selector<CGFloat(UITableView*, NSIndexPath)> tableViewHeightForRowAtIndexPath(
    "tableView:heightForRowAtIndexPath:");
inline constinit Selector<void(UITableView*, NSIndexPath)> tableViewDidSelectRowAtIndexPath(
    "tableView:didSelectRowAtIndexPath:");
} // namespace sel

// A scrolling list of rows in sections. Only the rows in view have cells:
// the data source is asked for a cell when its row scrolls into view, and a
// cell that scrolls out goes to the reuse pool under its reuse identifier,
// where dequeueReusableCellWithIdentifier: finds it. In the grouped style the
// sections stand apart on the striped background as white rounded groups. A
// tap highlights the row under the finger and, on release, selects it and
// tells the delegate.
class PLATFORM_EXPORT UITableView : public UIScrollView {
public:
    static Class* staticClass();
    static constexpr CGFloat defaultRowHeight = 44;
    static constexpr CGFloat sectionGap = 10;

    UITableView(CGRect frame, UITableViewStyle style, Class* cls = staticClass());
    static Ref<UITableView> make(CGRect frame, UITableViewStyle style)
    {
        return makeRef<UITableView>(frame, style);
    }

    UITableViewStyle style() const { return m_style; }
    NSObject* dataSource() const { return m_dataSource.get(); }
    // Neither is kept alive.
    void setDataSource(NSObject* dataSource);
    NSObject* delegate() const { return m_delegate.get(); }
    void setDelegate(NSObject* delegate);
    UIView* tableFooterView() const { return m_footerView.get(); }
    // Stands under the last section, as wide as the table.
    void setTableFooterView(RefPtr<UIView> view);

    // Asks the data source and delegate again and rebuilds the rows in view.
    void reloadData();
    int numberOfSections();
    int numberOfRowsInSection(int section);
    CGRect rectForRowAtIndexPath(NSIndexPath indexPath);
    // The rectangle of a section's header (its title, or the gap above it).
    CGRect rectForHeaderInSection(int section);
    std::optional<NSIndexPath> indexPathForRowAtPoint(CGPoint point);
    // The cell of a row in view, or nothing.
    UITableViewCell* cellForRowAtIndexPath(NSIndexPath indexPath);
    std::vector<UITableViewCell*> visibleCells();
    // A cell from the reuse pool, or nothing; it leaves the pool.
    RefPtr<UITableViewCell> dequeueReusableCellWithIdentifier(const NSString& identifier);
    std::size_t reusePoolSize() const;

    std::optional<NSIndexPath> indexPathForSelectedRow() const { return m_selectedRow; }
    void selectRowAtIndexPath(NSIndexPath indexPath);
    void deselectRowAtIndexPathAnimated(NSIndexPath indexPath, bool animated);

    void layoutSubviewsImpl();
    void drawRectImpl(CGRect rect);
    void touchesBeganImpl(NSSet* touches, NSObject* event);
    void touchesMovedImpl(NSSet* touches, NSObject* event);
    void touchesEndedImpl(NSSet* touches, NSObject* event);
    void touchesCancelledImpl(NSSet* touches, NSObject* event);

protected:
    void didScroll() override;

private:
    struct Section {
        NSString title;
        CGFloat headerTop;
        CGFloat headerHeight;
        std::vector<CGFloat> rowTops;
        std::vector<CGFloat> rowHeights;
    };
    bool hasRow(NSIndexPath indexPath) const;
    void loadDataIfNeeded();
    void computeGeometry();
    // Puts a cell on every row in view and takes the others away.
    void tileCells();
    void enqueueCell(RefPtr<UITableViewCell> cell);
    void placeCell(UITableViewCell* cell, NSIndexPath indexPath);
    void placeFooterView();
    void unhighlightPendingRow();

    UITableViewStyle m_style;
    WeakPtr<NSObject> m_dataSource;
    WeakPtr<NSObject> m_delegate;
    RefPtr<UIView> m_footerView;
    bool m_needsReload { true };
    std::vector<Section> m_sections;
    CGFloat m_sectionsHeight { 0 };
    std::map<NSIndexPath, RefPtr<UITableViewCell>> m_visibleCells;
    std::multimap<std::string, RefPtr<UITableViewCell>> m_reusePool;
    std::optional<NSIndexPath> m_selectedRow;
    std::optional<NSIndexPath> m_pressedRow;
    // The finger that presses rows; one at a time.
    FollowedTouch m_rowTouch;
};
