#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITableViewCellDisclosureIndicator.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A data source and delegate the way a settings page is one: rows per
// section, a height per section, cells dequeued by identifier.
class RowSource final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("TableTestRowSource", NSObject::staticClass());
            addMethod<&RowSource::sections>(created, sel::numberOfSectionsInTableView);
            addMethod<&RowSource::rows>(created, sel::tableViewNumberOfRowsInSection);
            addMethod<&RowSource::title>(created, sel::tableViewTitleForHeaderInSection);
            addMethod<&RowSource::height>(created, sel::tableViewHeightForRowAtIndexPath);
            addMethod<&RowSource::cell>(created, sel::tableViewCellForRowAtIndexPath);
            addMethod<&RowSource::didSelect>(created, sel::tableViewDidSelectRowAtIndexPath);
            return created;
        }();
        return cls;
    }
    RowSource()
        : NSObject(staticClass())
    {
    }

    int sections(UITableView*) { return static_cast<int>(rowCounts.size()); }
    int rows(UITableView*, int section) { return rowCounts[section]; }
    NSString title(UITableView*, int section) { return section == 1 ? titleOfSecondSection : NSString(); }
    CGFloat height(UITableView*, NSIndexPath indexPath) { return heights[indexPath.section]; }
    RefPtr<UITableViewCell> cell(UITableView* table, NSIndexPath indexPath)
    {
        RefPtr<UITableViewCell> cell = table->dequeueReusableCellWithIdentifier("Cell");
        if (cell)
            ++reused;
        else
            cell = UITableViewCell::make(UITableViewCellStyleDefault, "Cell");
        cell->textLabel()->setText(
            NSString(std::to_string(indexPath.section) + "." + std::to_string(indexPath.row)));
        ++asked;
        return cell;
    }
    void didSelect(UITableView* table, NSIndexPath indexPath)
    {
        UITableViewCell* cell = table->cellForRowAtIndexPath(indexPath);
        selections.push_back(indexPath);
        selectedWhileCalled = cell && cell->isSelected();
    }

    std::vector<int> rowCounts { 1, 1, 1 };
    std::vector<CGFloat> heights { 88, 44, 55 };
    NSString titleOfSecondSection;
    int asked { 0 };
    int reused { 0 };
    std::vector<NSIndexPath> selections;
    bool selectedWhileCalled { false };
};

class TableView : public testing::Test {
protected:
    void SetUp() override
    {
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        table = UITableView::make(CGRectMake(0, 64, 320, 416), UITableViewStyleGrouped);
        source = makeRef<RowSource>();
        table->setDataSource(source.get());
        table->setDelegate(source.get());
        window->addSubview(table);
    }
    void TearDown() override { runtimeRestoreRegisteredMethods(); }

    CGPoint onScreen(NSIndexPath indexPath)
    {
        CGRect row = table->rectForRowAtIndexPath(indexPath);
        return table->convertPointToView({ row.midX(), row.midY() }, window.get());
    }

    RefPtr<UIWindow> window;
    RefPtr<UITableView> table;
    RefPtr<RowSource> source;
};

TEST_F(TableView, GroupedSectionsStackWithGapsAndTheDelegatesHeights)
{
    window->runDisplayPass();
    ASSERT_EQ(table->numberOfSections(), 3);
    EXPECT_EQ(table->rectForRowAtIndexPath({ 0, 0 }), CGRectMake(0, 10, 320, 88));
    EXPECT_EQ(table->rectForRowAtIndexPath({ 1, 0 }), CGRectMake(0, 118, 320, 44));
    EXPECT_EQ(table->rectForRowAtIndexPath({ 2, 0 }), CGRectMake(0, 182, 320, 55));
    EXPECT_EQ(table->rectForRowAtIndexPath({ 3, 0 }), CGRectZero);
    EXPECT_EQ(table->cellForRowAtIndexPath({ 1, 0 })->textLabel()->text(), NSString("1.0"));
    EXPECT_EQ(table->cellForRowAtIndexPath({ 1, 0 })->frame(), CGRectMake(0, 118, 320, 44));
    EXPECT_FLOAT_EQ(table->contentSize().height, 247);

    // A titled header makes room for its title.
    source->titleOfSecondSection = "Options";
    table->reloadData();
    EXPECT_GT(table->rectForHeaderInSection(1).height(), UITableView::sectionGap);
    EXPECT_FLOAT_EQ(table->rectForRowAtIndexPath({ 1, 0 }).minY(), table->rectForHeaderInSection(1).maxY());
}

TEST_F(TableView, FooterViewStandsUnderTheLastSectionAsWideAsTheTable)
{
    auto footer = UIView::make(CGRectMake(0, 0, 0, 18));
    table->setTableFooterView(footer);
    window->runDisplayPass();
    EXPECT_EQ(footer->frame(), CGRectMake(0, 247, 320, 18));
    EXPECT_FLOAT_EQ(table->contentSize().height, 265);
    table->setFrame(CGRectMake(0, 64, 480, 256));
    window->runDisplayPass();
    EXPECT_FLOAT_EQ(footer->frame().width(), 480);
    EXPECT_FLOAT_EQ(table->cellForRowAtIndexPath({ 0, 0 })->frame().width(), 480);
}

TEST_F(TableView, CellsScrolledOffGoToThePoolAndComeBackForNewRows)
{
    source->rowCounts = { 30 };
    source->heights = { 44 };
    window->runDisplayPass();
    std::size_t inView = table->visibleCells().size();
    EXPECT_EQ(inView, 10U); // 416 points show rows from y 10 to 426.
    EXPECT_EQ(source->reused, 0);

    table->setContentOffset({ 0, 44 * 5 });
    EXPECT_EQ(table->cellForRowAtIndexPath({ 0, 0 }), nullptr);
    EXPECT_NE(table->cellForRowAtIndexPath({ 0, 14 }), nullptr);
    // Rows 0 to 3 left and rows 10 to 14 came: four cells were reused, one made.
    EXPECT_EQ(source->reused, 4);
    EXPECT_EQ(source->asked - source->reused, 11);
    EXPECT_EQ(table->cellForRowAtIndexPath({ 0, 14 })->textLabel()->text(), NSString("0.14"));

    table->setContentOffset({ 0, 0 });
    EXPECT_EQ(table->cellForRowAtIndexPath({ 0, 0 })->textLabel()->text(), NSString("0.0"));
    EXPECT_EQ(table->reusePoolSize() + table->visibleCells().size(), 11U);
}

TEST_F(TableView, TapHighlightsThenSelectsAndTellsTheDelegateUntilDeselected)
{
    window->runDisplayPass();
    UITableViewCell* cell = table->cellForRowAtIndexPath({ 1, 0 });
    window->sendTouch(0, UITouchPhase::Began, onScreen({ 1, 0 }));
    EXPECT_TRUE(cell->isHighlighted());
    EXPECT_TRUE(cell->textLabel()->isHighlighted());
    EXPECT_TRUE(source->selections.empty());
    window->sendTouch(0, UITouchPhase::Ended, onScreen({ 1, 0 }));
    ASSERT_EQ(source->selections.size(), 1U);
    EXPECT_EQ(source->selections[0], (NSIndexPath { 1, 0 }));
    EXPECT_TRUE(source->selectedWhileCalled);
    EXPECT_EQ(table->indexPathForSelectedRow(), (NSIndexPath { 1, 0 }));

    table->deselectRowAtIndexPathAnimated({ 1, 0 }, true);
    EXPECT_FALSE(cell->isSelected());
    EXPECT_FALSE(cell->textLabel()->isHighlighted());
    EXPECT_FALSE(table->indexPathForSelectedRow());
}

TEST_F(TableView, FingerLeavingTheRowSelectsNothing)
{
    window->runDisplayPass();
    window->sendTouch(0, UITouchPhase::Began, onScreen({ 0, 0 }));
    window->sendTouch(0, UITouchPhase::Moved, onScreen({ 2, 0 }));
    EXPECT_FALSE(table->cellForRowAtIndexPath({ 0, 0 })->isHighlighted());
    window->sendTouch(0, UITouchPhase::Ended, onScreen({ 2, 0 }));
    EXPECT_TRUE(source->selections.empty());
}

TEST_F(TableView, SelectionStyleNoneSelectsWithoutHighlighting)
{
    window->runDisplayPass();
    UITableViewCell* cell = table->cellForRowAtIndexPath({ 0, 0 });
    cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
    window->sendTouch(0, UITouchPhase::Began, onScreen({ 0, 0 }));
    EXPECT_FALSE(cell->textLabel()->isHighlighted());
    window->sendTouch(0, UITouchPhase::Ended, onScreen({ 0, 0 }));
    EXPECT_EQ(source->selections.size(), 1U);
}

TEST_F(TableView, DraggingScrollsWithinContentAndInsetsAndCancelsTheRowPress)
{
    source->rowCounts = { 20 };
    source->heights = { 44 };
    window->runDisplayPass();
    CGFloat maximum = table->contentSize().height - 416;
    ASSERT_GT(maximum, 0);

    window->sendTouch(0, UITouchPhase::Began, { 160, 300 });
    UITableViewCell* pressed = table->cellForRowAtIndexPath(
        *table->indexPathForRowAtPoint(table->convertPointFromView({ 160, 300 }, window.get())));
    EXPECT_TRUE(pressed->isHighlighted());
    window->sendTouch(0, UITouchPhase::Moved, { 160, 250 });
    EXPECT_TRUE(table->isDragging());
    EXPECT_FALSE(pressed->isHighlighted());
    EXPECT_FLOAT_EQ(table->contentOffset().y, 50);
    window->sendTouch(0, UITouchPhase::Moved, { 160, -2000 });
    EXPECT_FLOAT_EQ(table->contentOffset().y, maximum);
    window->sendTouch(0, UITouchPhase::Ended, { 160, -2000 });
    EXPECT_TRUE(source->selections.empty());

    table->setContentInset({ 0, 0, 216, 0 });
    window->sendTouch(0, UITouchPhase::Began, { 160, 300 });
    window->sendTouch(0, UITouchPhase::Moved, { 160, -2000 });
    EXPECT_FLOAT_EQ(table->contentOffset().y, maximum + 216);
    window->sendTouch(0, UITouchPhase::Moved, { 160, 4000 });
    EXPECT_FLOAT_EQ(table->contentOffset().y, 0);
    window->sendTouch(0, UITouchPhase::Ended, { 160, 4000 });
}

TEST_F(TableView, ShortTableDoesNotScrollSoTouchesStayWithTheRow)
{
    window->runDisplayPass();
    window->sendTouch(0, UITouchPhase::Began, onScreen({ 0, 0 }));
    CGPoint start = onScreen({ 0, 0 });
    window->sendTouch(0, UITouchPhase::Moved, { start.x, start.y + 30 });
    EXPECT_FALSE(table->isDragging());
    EXPECT_FLOAT_EQ(table->contentOffset().y, 0);
    window->sendTouch(0, UITouchPhase::Ended, { start.x, start.y + 30 });
    EXPECT_EQ(source->selections.size(), 1U);
}

TEST_F(TableView, OffsetsSetInCodeAreTakenAsGiven)
{
    table->setContentOffset({ 0, 80 });
    EXPECT_FLOAT_EQ(table->contentOffset().y, 80);
    table->setContentOffsetAnimated({ 0, -20 }, true);
    EXPECT_FLOAT_EQ(table->contentOffset().y, -20);
    table->setScrollIndicatorInsets({ 0, 0, 216, 0 });
    EXPECT_EQ(table->scrollIndicatorInsets(), (UIEdgeInsets { 0, 0, 216, 0 }));
}

TEST_F(TableView, ReloadAsksAgainAndCellsKeepTheirGroupPositions)
{
    source->rowCounts = { 3 };
    source->heights = { 44 };
    window->runDisplayPass();
    EXPECT_TRUE(table->cellForRowAtIndexPath({ 0, 0 })->isGrouped());
    source->rowCounts = { 1, 2 };
    table->reloadData();
    EXPECT_EQ(table->numberOfRowsInSection(1), 2);
    EXPECT_EQ(table->cellForRowAtIndexPath({ 1, 1 })->textLabel()->text(), NSString("1.1"));
    EXPECT_EQ(table->visibleCells().size(), 3U);
    EXPECT_GE(source->reused, 3);
}

class TableCell : public testing::Test {
protected:
    void TearDown() override { runtimeRestoreRegisteredMethods(); }
};

// A cell class of a pane's own: it picks the subtitle style whatever it is
// asked for, and adds to the base layout.
class TitleCell final : public UITableViewCell {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("TableTestTitleCell", UITableViewCell::staticClass());
            addMethod<&TitleCell::initWithStyle>(created, sel::initWithStyleReuseIdentifier);
            addMethod<&TitleCell::layout>(created, sel::layoutSubviews);
            return created;
        }();
        return cls;
    }
    TitleCell()
        : UITableViewCell(staticClass())
    {
    }
    NSObject* initWithStyle(int, NSString identifier)
    {
        if (!UITableViewCell::initWithStyleReuseIdentifier(
                UITableViewCellStyleSubtitle, std::move(identifier)))
            return nullptr;
        textLabel()->setText("Corvane");
        return this;
    }
    void layout()
    {
        UITableViewCell::layoutSubviewsImpl();
        CGRect text = textLabel()->frame();
        textLabel()->setFrame({ { 0, 0 }, text.size });
    }
};

TEST_F(TableCell, SubclassInitialiserAndLayoutRunThroughTheMethodTable)
{
    auto cell = makeRef<TitleCell>();
    EXPECT_EQ(send(cell.get(), sel::initWithStyleReuseIdentifier, 0, NSString("TitleCell")), cell.get());
    EXPECT_EQ(cell->style(), UITableViewCellStyleSubtitle);
    EXPECT_NE(cell->detailTextLabel(), nullptr);
    EXPECT_EQ(cell->reuseIdentifier(), NSString("TitleCell"));
    cell->setFrame(CGRectMake(0, 0, 320, 88));
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->textLabel()->frame().origin, CGPointMake(0, 0));
    EXPECT_FLOAT_EQ(
        cell->textLabel()->frame().width(), sizeWithFont("Corvane", cell->textLabel()->font()).width);
}

TEST_F(TableCell, DefaultStyleTextFillsTheContentBesideTheAccessory)
{
    auto cell = UITableViewCell::make(UITableViewCellStyleDefault, "Cell");
    EXPECT_EQ(cell->detailTextLabel(), nullptr);
    cell->setFrame(CGRectMake(0, 0, 320, 44));
    cell->setGroupPosition(true, UITableViewCellGroupPosition::Alone);
    cell->textLabel()->setText("The Creators");
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    cell->layoutIfNeeded();

    CGRect content = cell->contentView()->frame();
    EXPECT_FLOAT_EQ(content.minX(), 10);
    EXPECT_FLOAT_EQ(content.height(), 44);
    EXPECT_LT(content.maxX(), 310);
    EXPECT_EQ(cell->textLabel()->frame(), CGRectMake(10, 0, content.width() - 20, 44));
    UIView* chevron = nullptr;
    for (std::size_t index = 0; index < cell->subviewCount(); ++index) {
        if (runtimeCast<UITableViewCellDisclosureIndicator>(cell->subviewAtIndex(index)))
            chevron = cell->subviewAtIndex(index);
    }
    ASSERT_NE(chevron, nullptr);
    EXPECT_FALSE(chevron->isHidden());
    EXPECT_GT(chevron->frame().minX(), content.maxX());

    // An accessory view takes the chevron's place.
    auto custom = UIView::make(CGRectMake(0, 0, 16, 13));
    cell->setAccessoryView(custom);
    cell->layoutIfNeeded();
    EXPECT_TRUE(chevron->isHidden());
    EXPECT_FLOAT_EQ(custom->frame().maxX(), 300);
    EXPECT_FLOAT_EQ(custom->frame().minY(), 15.5F);
}

TEST_F(TableCell, SubtitleStyleStacksLabelsSizedToTheirTextsCentredVertically)
{
    auto cell = UITableViewCell::make(UITableViewCellStyleSubtitle, "Profile");
    ASSERT_NE(cell->detailTextLabel(), nullptr);
    cell->setFrame(CGRectMake(0, 0, 320, 88));
    cell->setGroupPosition(true, UITableViewCellGroupPosition::Top);
    cell->textLabel()->setText("Corvane");
    cell->detailTextLabel()->setText("by someone");
    cell->layoutIfNeeded();

    CGSize title = sizeWithFont("Corvane", cell->textLabel()->font());
    CGSize detail = sizeWithFont("by someone", cell->detailTextLabel()->font());
    CGRect titleFrame = cell->textLabel()->frame();
    CGRect detailFrame = cell->detailTextLabel()->frame();
    EXPECT_FLOAT_EQ(titleFrame.width(), title.width);
    EXPECT_FLOAT_EQ(titleFrame.height(), title.height);
    EXPECT_FLOAT_EQ(detailFrame.minY(), titleFrame.maxY());
    EXPECT_FLOAT_EQ(titleFrame.minY(), (88 - title.height - detail.height) / 2);
    EXPECT_FLOAT_EQ(detailFrame.width(), detail.width);
}

TEST_F(TableCell, HighlightReachesLabelsAndImageViewsUnlessSelectionStyleIsNone)
{
    auto cell = UITableViewCell::make(UITableViewCellStyleSubtitle, "Cell");
    auto extra = UIImageView::make();
    cell->contentView()->addSubview(extra);
    auto accessory = UIImageView::make();
    cell->setAccessoryView(accessory);
    cell->setHighlighted(true);
    EXPECT_TRUE(cell->textLabel()->isHighlighted());
    EXPECT_TRUE(cell->detailTextLabel()->isHighlighted());
    EXPECT_TRUE(cell->imageView()->isHighlighted());
    EXPECT_TRUE(extra->isHighlighted());
    EXPECT_TRUE(accessory->isHighlighted());
    cell->setHighlighted(false);
    cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
    cell->setSelected(true);
    EXPECT_FALSE(cell->textLabel()->isHighlighted());
    EXPECT_FALSE(accessory->isHighlighted());
}

TEST_F(TableCell, CustomBackgroundViewCoversTheGroupShape)
{
    auto cell = UITableViewCell::make(UITableViewCellStyleDefault, "TitleCell");
    cell->setFrame(CGRectMake(0, 0, 320, 88));
    cell->setGroupPosition(true, UITableViewCellGroupPosition::Alone);
    auto background = UIView::make();
    background->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    cell->setBackgroundView(background);
    cell->layoutIfNeeded();
    EXPECT_EQ(cell->backgroundView(), background.get());
    EXPECT_EQ(background->frame(), CGRectMake(10, 0, 300, 88));
    EXPECT_EQ(background->frame(), cell->groupRect());
}

} // namespace
