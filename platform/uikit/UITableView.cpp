#include "platform/uikit/UITableView.h"

#include "platform/graphics/CGContext.h"
#include "platform/uikit/NSStringDrawing.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UITouch.h"

#include <algorithm>
#include <set>

namespace {

constexpr CGFloat titledHeaderHeight = 46;
constexpr CGFloat plainHeaderHeight = 22;
constexpr CGFloat headerTitleInset = 19;
constexpr CGFloat headerTitleBottomPadding = 8;
constexpr CGColor groupedBackgroundColor = CGColor::rgb(0.773F, 0.8F, 0.831F);
constexpr CGColor groupedStripeColor = CGColor::rgb(0.8F, 0.824F, 0.855F);
constexpr CGFloat stripePeriod = 7;
constexpr CGFloat stripeWidth = 2;
constexpr CGColor headerTitleColor = CGColor::rgb(0.298F, 0.337F, 0.416F);

bool responds(NSObject* object, SelectorId selector)
{
    return object && class_respondsToSelector(object_getClass(object), selector);
}

UITableViewCellGroupPosition positionInGroup(int row, int rowCount)
{
    if (rowCount <= 1)
        return UITableViewCellGroupPosition::Alone;
    if (row == 0)
        return UITableViewCellGroupPosition::Top;
    if (row == rowCount - 1)
        return UITableViewCellGroupPosition::Bottom;
    return UITableViewCellGroupPosition::Middle;
}

} // namespace

Class* UITableView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UITableView", UIScrollView::staticClass());
        addMethod<&UITableView::layoutSubviewsImpl>(created, sel::layoutSubviews);
        addMethod<&UITableView::drawRectImpl>(created, sel::drawRect);
        addMethod<&UITableView::touchesBeganImpl>(created, sel::touchesBegan);
        addMethod<&UITableView::touchesMovedImpl>(created, sel::touchesMoved);
        addMethod<&UITableView::touchesEndedImpl>(created, sel::touchesEnded);
        addMethod<&UITableView::touchesCancelledImpl>(created, sel::touchesCancelled);
        return created;
    }();
    return cls;
}

UITableView::UITableView(CGRect frame, UITableViewStyle style, Class* cls)
    : UIScrollView(frame, cls)
    , m_style(style)
{
}

void UITableView::setDataSource(NSObject* dataSource)
{
    m_dataSource = dataSource;
    m_needsReload = true;
    setNeedsLayout();
}

void UITableView::setDelegate(NSObject* delegate)
{
    m_delegate = delegate;
    m_needsReload = true;
    setNeedsLayout();
}

void UITableView::setTableFooterView(RefPtr<UIView> view)
{
    if (m_footerView)
        m_footerView->removeFromSuperview();
    m_footerView = std::move(view);
    addSubview(m_footerView);
    setNeedsLayout();
}

void UITableView::loadDataIfNeeded()
{
    if (m_needsReload)
        reloadData();
}

void UITableView::reloadData()
{
    m_needsReload = false;
    m_selectedRow.reset();
    m_pressedRow.reset();
    auto cells = std::move(m_visibleCells);
    m_visibleCells.clear();
    for (auto& [indexPath, cell] : cells)
        enqueueCell(cell);
    computeGeometry();
    tileCells();
    placeFooterView();
}

void UITableView::computeGeometry()
{
    m_sections.clear();
    NSObject* dataSource = m_dataSource.get();
    NSObject* delegate = m_delegate.get();
    int sectionCount = 0;
    if (dataSource) {
        sectionCount = responds(dataSource, sel::numberOfSectionsInTableView.id())
            ? send(dataSource, sel::numberOfSectionsInTableView, this)
            : 1;
    }
    bool grouped = m_style == UITableViewStyleGrouped;
    CGFloat y = 0;
    for (int section = 0; section < sectionCount; ++section) {
        Section entry;
        if (responds(dataSource, sel::tableViewTitleForHeaderInSection.id()))
            entry.title = send(dataSource, sel::tableViewTitleForHeaderInSection, this, section);
        bool titled = !entry.title.isNil() && !entry.title.isEmpty();
        entry.headerTop = y;
        entry.headerHeight
            = grouped ? (titled ? titledHeaderHeight : sectionGap) : (titled ? plainHeaderHeight : 0);
        y += entry.headerHeight;
        int rowCount = std::max(0, send(dataSource, sel::tableViewNumberOfRowsInSection, this, section));
        bool askHeights = responds(delegate, sel::tableViewHeightForRowAtIndexPath.id());
        for (int row = 0; row < rowCount; ++row) {
            CGFloat height = askHeights
                ? send(delegate, sel::tableViewHeightForRowAtIndexPath, this, NSIndexPath { section, row })
                : defaultRowHeight;
            entry.rowTops.push_back(y);
            entry.rowHeights.push_back(std::max<CGFloat>(0, height));
            y += entry.rowHeights.back();
        }
        if (grouped)
            y += sectionGap;
        m_sections.push_back(std::move(entry));
    }
    m_sectionsHeight = y;
    CGFloat footerHeight = m_footerView ? m_footerView->frame().height() : 0;
    setContentSize({ frame().width(), m_sectionsHeight + footerHeight });
}

bool UITableView::hasRow(NSIndexPath indexPath) const
{
    return indexPath.section >= 0 && static_cast<std::size_t>(indexPath.section) < m_sections.size()
        && indexPath.row >= 0
        && static_cast<std::size_t>(indexPath.row) < m_sections[indexPath.section].rowTops.size();
}

int UITableView::numberOfSections()
{
    loadDataIfNeeded();
    return static_cast<int>(m_sections.size());
}

int UITableView::numberOfRowsInSection(int section)
{
    loadDataIfNeeded();
    if (section < 0 || static_cast<std::size_t>(section) >= m_sections.size())
        return 0;
    return static_cast<int>(m_sections[section].rowTops.size());
}

CGRect UITableView::rectForRowAtIndexPath(NSIndexPath indexPath)
{
    loadDataIfNeeded();
    if (!hasRow(indexPath))
        return CGRectZero;
    const Section& section = m_sections[indexPath.section];
    return { { 0, section.rowTops[indexPath.row] }, { frame().width(), section.rowHeights[indexPath.row] } };
}

CGRect UITableView::rectForHeaderInSection(int section)
{
    loadDataIfNeeded();
    if (section < 0 || static_cast<std::size_t>(section) >= m_sections.size())
        return CGRectZero;
    return { { 0, m_sections[section].headerTop }, { frame().width(), m_sections[section].headerHeight } };
}

std::optional<NSIndexPath> UITableView::indexPathForRowAtPoint(CGPoint point)
{
    loadDataIfNeeded();
    for (std::size_t section = 0; section < m_sections.size(); ++section) {
        const Section& entry = m_sections[section];
        for (std::size_t row = 0; row < entry.rowTops.size(); ++row) {
            if (point.y >= entry.rowTops[row] && point.y < entry.rowTops[row] + entry.rowHeights[row])
                return NSIndexPath { static_cast<int>(section), static_cast<int>(row) };
        }
    }
    return std::nullopt;
}

UITableViewCell* UITableView::cellForRowAtIndexPath(NSIndexPath indexPath)
{
    loadDataIfNeeded();
    auto found = m_visibleCells.find(indexPath);
    return found == m_visibleCells.end() ? nullptr : found->second.get();
}

std::vector<UITableViewCell*> UITableView::visibleCells()
{
    loadDataIfNeeded();
    std::vector<UITableViewCell*> cells;
    for (auto& [indexPath, cell] : m_visibleCells)
        cells.push_back(cell.get());
    return cells;
}

RefPtr<UITableViewCell> UITableView::dequeueReusableCellWithIdentifier(const NSString& identifier)
{
    if (identifier.isNil())
        return nullptr;
    auto found = m_reusePool.find(identifier.utf8());
    if (found == m_reusePool.end())
        return nullptr;
    RefPtr<UITableViewCell> cell = std::move(found->second);
    m_reusePool.erase(found);
    send(cell.get(), sel::prepareForReuse);
    return cell;
}

std::size_t UITableView::reusePoolSize() const
{
    return m_reusePool.size();
}

// A cell without a reuse identifier cannot be found again, so it is dropped.
void UITableView::enqueueCell(RefPtr<UITableViewCell> cell)
{
    cell->removeFromSuperview();
    cell->setHighlighted(false);
    cell->setSelected(false);
    if (!cell->reuseIdentifier().isNil())
        m_reusePool.emplace(cell->reuseIdentifier().utf8(), std::move(cell));
}

void UITableView::placeCell(UITableViewCell* cell, NSIndexPath indexPath)
{
    const Section& section = m_sections[indexPath.section];
    int rowCount = static_cast<int>(section.rowTops.size());
    cell->setFrame(rectForRowAtIndexPath(indexPath));
    cell->setGroupPosition(m_style == UITableViewStyleGrouped, positionInGroup(indexPath.row, rowCount));
}

void UITableView::tileCells()
{
    CGRect visible = bounds();
    std::set<NSIndexPath> inView;
    for (std::size_t section = 0; section < m_sections.size(); ++section) {
        const Section& entry = m_sections[section];
        for (std::size_t row = 0; row < entry.rowTops.size(); ++row) {
            CGFloat top = entry.rowTops[row];
            if (top < visible.maxY() && top + entry.rowHeights[row] > visible.minY())
                inView.insert({ static_cast<int>(section), static_cast<int>(row) });
        }
    }
    for (auto it = m_visibleCells.begin(); it != m_visibleCells.end();) {
        if (inView.contains(it->first)) {
            ++it;
            continue;
        }
        if (m_pressedRow == it->first)
            m_pressedRow.reset();
        enqueueCell(std::move(it->second));
        it = m_visibleCells.erase(it);
    }
    for (const NSIndexPath& indexPath : inView) {
        if (m_visibleCells.contains(indexPath)) {
            placeCell(m_visibleCells[indexPath].get(), indexPath);
            continue;
        }
        RefPtr<UITableViewCell> cell
            = send(m_dataSource.get(), sel::tableViewCellForRowAtIndexPath, this, indexPath);
        // A data source that gives no cell leaves its row empty.
        if (!cell)
            continue;
        placeCell(cell.get(), indexPath);
        insertSubviewAtIndex(cell, 0);
        cell->setSelected(m_selectedRow == indexPath);
        m_visibleCells[indexPath] = cell;
    }
}

void UITableView::placeFooterView()
{
    if (m_footerView)
        m_footerView->setFrame(
            { { 0, m_sectionsHeight }, { frame().width(), m_footerView->frame().height() } });
}

void UITableView::layoutSubviewsImpl()
{
    if (m_needsReload) {
        reloadData();
        return;
    }
    CGFloat footerHeight = m_footerView ? m_footerView->frame().height() : 0;
    setContentSize({ frame().width(), m_sectionsHeight + footerHeight });
    tileCells();
    placeFooterView();
}

void UITableView::didScroll()
{
    if (m_needsReload)
        setNeedsLayout();
    else
        tileCells();
}

void UITableView::selectRowAtIndexPath(NSIndexPath indexPath)
{
    loadDataIfNeeded();
    if (!hasRow(indexPath))
        return;
    if (m_selectedRow && *m_selectedRow != indexPath) {
        if (UITableViewCell* previous = cellForRowAtIndexPath(*m_selectedRow))
            previous->setSelected(false);
    }
    m_selectedRow = indexPath;
    if (UITableViewCell* cell = cellForRowAtIndexPath(indexPath))
        cell->setSelected(true);
}

void UITableView::deselectRowAtIndexPathAnimated(NSIndexPath indexPath, bool)
{
    if (m_selectedRow != indexPath)
        return;
    m_selectedRow.reset();
    if (UITableViewCell* cell = cellForRowAtIndexPath(indexPath))
        cell->setSelected(false);
}

void UITableView::unhighlightPendingRow()
{
    if (!m_pressedRow)
        return;
    if (UITableViewCell* cell = cellForRowAtIndexPath(*m_pressedRow))
        cell->setHighlighted(false);
    m_pressedRow.reset();
}

void UITableView::touchesBeganImpl(NSSet* touches, NSObject* event)
{
    UIScrollView::touchesBeganImpl(touches, event);
    UITouch* touch = m_rowTouch.begin(touches);
    if (!touch)
        return;
    unhighlightPendingRow();
    std::optional<NSIndexPath> row = indexPathForRowAtPoint(touch->locationInView(this));
    UITableViewCell* cell = row ? cellForRowAtIndexPath(*row) : nullptr;
    if (!cell)
        return;
    m_pressedRow = row;
    cell->setHighlighted(true);
}

void UITableView::touchesMovedImpl(NSSet* touches, NSObject* event)
{
    UITouch* touch = m_rowTouch.in(touches);
    if (touch && m_pressedRow && indexPathForRowAtPoint(touch->locationInView(this)) != m_pressedRow)
        unhighlightPendingRow();
    UIScrollView::touchesMovedImpl(touches, event);
}

void UITableView::touchesEndedImpl(NSSet* touches, NSObject* event)
{
    UIScrollView::touchesEndedImpl(touches, event);
    UITouch* touch = m_rowTouch.end(touches);
    if (!touch || !m_pressedRow)
        return;
    NSIndexPath row = *m_pressedRow;
    bool releasedOnRow = indexPathForRowAtPoint(touch->locationInView(this)) == row;
    unhighlightPendingRow();
    if (!releasedOnRow)
        return;
    RefPtr<UITableView> keepAlive(this);
    selectRowAtIndexPath(row);
    if (responds(m_delegate.get(), sel::tableViewDidSelectRowAtIndexPath.id()))
        send(m_delegate.get(), sel::tableViewDidSelectRowAtIndexPath, this, row);
}

void UITableView::touchesCancelledImpl(NSSet* touches, NSObject* event)
{
    UIScrollView::touchesCancelledImpl(touches, event);
    if (m_rowTouch.end(touches))
        unhighlightPendingRow();
}

void UITableView::drawRectImpl(CGRect rect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    if (m_style == UITableViewStylePlain) {
        CGContextSetFillColorWithColor(context, CGColor::white(1));
        CGContextFillRect(context, rect);
    } else {
        CGContextSetFillColorWithColor(context, groupedBackgroundColor);
        CGContextFillRect(context, rect);
        CGContextSetFillColorWithColor(context, groupedStripeColor);
        for (CGFloat x = rect.minX(); x < rect.maxX(); x += stripePeriod)
            CGContextFillRect(context, { { x, rect.minY() }, { stripeWidth, rect.height() } });
    }
    // The section titles scroll with the rows.
    CGPoint offset = contentOffset();
    auto font = UIFont::boldSystemFontOfSize(17);
    CGContextSetShadowWithColor(context, { 0, 1 }, 0, CGColor::white(1));
    CGContextSetFillColorWithColor(context, headerTitleColor);
    for (const Section& section : m_sections) {
        if (section.title.isNil() || section.title.isEmpty())
            continue;
        CGFloat lineHeight = font->lineHeight();
        CGRect titleRect { { headerTitleInset,
                               section.headerTop + section.headerHeight - headerTitleBottomPadding
                                   - lineHeight - offset.y },
            { rect.width() - 2 * headerTitleInset, lineHeight } };
        drawInRectWithFontLineBreakModeAlignment(
            section.title, titleRect, font.get(), UILineBreakModeTailTruncation, UITextAlignmentLeft);
    }
}
