#include "platform/uikit/UIWindow.h"
#include "settings/CorvaneTableViewCellTransparentSubtitle.h"
#include "settings/PaneStyle.h"
#include "tests/settings/PaneTestSupport.h"

namespace {

class TitleCell : public PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        cell = CorvaneTableViewCellTransparentSubtitle::make(UITableViewCellStyleDefault, "TitleCell");
        ASSERT_TRUE(cell);
        cell->textLabel()->setText("Corvane");
        cell->setFrame(CGRectMake(0, 0, 320, 88));
        window->addSubview(cell);
        window->runDisplayPass();
    }

    RefPtr<UIWindow> window;
    RefPtr<CorvaneTableViewCellTransparentSubtitle> cell;
};

TEST_F(TitleCell, IsASubtitleCellWithTheCreditWhateverStyleWasAsked)
{
    EXPECT_EQ(cell->style(), UITableViewCellStyleSubtitle);
    ASSERT_NE(cell->detailTextLabel(), nullptr);
    UILabel* credit = cell->detailTextLabel();
    EXPECT_EQ(credit->text(), NSString("by Sable and Jonah Wendt.\nThank you for your purchase!"));
    EXPECT_EQ(credit->numberOfLines(), 2);
    EXPECT_EQ(credit->textAlignment(), UITextAlignmentCenter);
    EXPECT_EQ(credit->font()->fontName(), NSString("HelveticaNeue"));
    EXPECT_FLOAT_EQ(credit->font()->pointSize(), 15);
    UILabel* title = cell->textLabel();
    EXPECT_EQ(title->font()->fontName(), NSString("HelveticaNeue"));
    EXPECT_FLOAT_EQ(title->font()->pointSize(), 44);
    for (UILabel* label : { title, credit }) {
        EXPECT_EQ(label->textColor()->CGColor(), paneStyle::textColor()->CGColor());
        EXPECT_EQ(label->shadowColor()->CGColor(), CGColor::white(1));
        EXPECT_EQ(label->shadowOffset(), CGSizeMake(0, 1));
        EXPECT_TRUE(!label->backgroundColor() || label->backgroundColor()->isClear());
    }
}

TEST_F(TitleCell, StandsOnATransparentBackgroundAndNeverHighlights)
{
    UIView* background = cell->backgroundView();
    ASSERT_NE(background, nullptr);
    EXPECT_EQ(background->autoresizingMask(), 18u);
    EXPECT_TRUE(!background->backgroundColor() || background->backgroundColor()->isClear());
    EXPECT_EQ(cell->selectionStyle(), UITableViewCellSelectionStyleNone);

    cell->setHighlighted(true);
    EXPECT_FALSE(cell->textLabel()->isHighlighted());
    EXPECT_FALSE(cell->detailTextLabel()->isHighlighted());
    window->setBackgroundColor(CGColor::rgb(0, 1, 0));
    window->runDisplayPass();
    CGImageRef image = renderView(window.get(), "title-cell-highlighted.png");
    // A corner of the cell shows the window's green through it: no border, no fill.
    EXPECT_TRUE(pixelIsNear(CGImageGetPixel(image, 30, 4), 0, 255, 0));
    EXPECT_TRUE(pixelIsNear(CGImageGetPixel(image, 30, 170), 0, 255, 0));
}

TEST_F(TitleCell, PutsTheTitleAtTheTopAndTheCredit14BelowTheMiddle)
{
    CGRect background = cell->backgroundView()->frame();
    ASSERT_FLOAT_EQ(background.height(), 88);
    CGRect title = cell->textLabel()->frame();
    CGRect credit = cell->detailTextLabel()->frame();
    EXPECT_FLOAT_EQ(title.minY(), 0);
    EXPECT_FLOAT_EQ(credit.minY(), 58);
    EXPECT_FLOAT_EQ(title.minX(), background.width() * 0.5F - title.width() * 0.5F);
    EXPECT_FLOAT_EQ(credit.minX(), background.width() * 0.5F - credit.width() * 0.5F);
    EXPECT_GT(credit.height(), cell->detailTextLabel()->font()->lineHeight()) << "both credit lines fit";
}

TEST_F(TitleCell, ANarrowerTextMovesRightByHalfOfWhatItLost)
{
    CGFloat before = cell->textLabel()->frame().minX();
    CGFloat widthBefore = cell->textLabel()->frame().width();
    cell->textLabel()->setText("Co");
    cell->setNeedsLayout();
    window->runDisplayPass();
    CGRect after = cell->textLabel()->frame();
    EXPECT_FLOAT_EQ(after.minX() - before, (widthBefore - after.width()) / 2);
}

TEST_F(TitleCell, FollowsTheCellsHeight)
{
    cell->setFrame(CGRectMake(0, 0, 320, 120));
    window->runDisplayPass();
    EXPECT_FLOAT_EQ(cell->detailTextLabel()->frame().minY(), 120 * 0.5F + 14);
    EXPECT_FLOAT_EQ(cell->textLabel()->frame().minY(), 0);
}

} // namespace
