#include "platform/graphics/CGImage.h"
#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UINavigationController.h"
#include "platform/uikit/UITableView.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// A settings-like page: a title row without a cell shape, a text field row,
// and two link rows with chevrons, then a footer line.
class SamplePage final : public UIViewController {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("RenderingTestPage", UIViewController::staticClass());
            addMethod<&SamplePage::sections>(created, sel::numberOfSectionsInTableView);
            addMethod<&SamplePage::rows>(created, sel::tableViewNumberOfRowsInSection);
            addMethod<&SamplePage::title>(created, sel::tableViewTitleForHeaderInSection);
            addMethod<&SamplePage::height>(created, sel::tableViewHeightForRowAtIndexPath);
            addMethod<&SamplePage::cell>(created, sel::tableViewCellForRowAtIndexPath);
            return created;
        }();
        return cls;
    }
    SamplePage()
        : UIViewController(staticClass())
    {
        setTitle("Corvane");
        table = UITableView::make(CGRectMake(0, 0, 320, 416), UITableViewStyleGrouped);
        table->setDataSource(this);
        table->setDelegate(this);
        auto footer = UILabel::make(CGRectMake(0, 0, 0, 20));
        footer->setText("Corvane by Quillfen");
        footer->setTextAlignment(UITextAlignmentCenter);
        footer->setBackgroundColor(UIColor::clearColor().get());
        footer->setTextColor(UIColor::colorWithRedGreenBlueAlpha(76 / 255.0F, 86 / 255.0F, 106 / 255.0F, 1));
        footer->setShadowColor(UIColor::whiteColor());
        footer->setShadowOffset({ 0, 1 });
        table->setTableFooterView(footer);
        setView(table);
    }

    int sections(UITableView*) { return 4; }
    int rows(UITableView*, int section) { return section == 3 ? 2 : 1; }
    NSString title(UITableView*, int section) { return section == 3 ? NSString("More") : NSString(); }
    CGFloat height(UITableView*, NSIndexPath indexPath) { return indexPath.section == 0 ? 88 : 44; }
    RefPtr<UITableViewCell> cell(UITableView*, NSIndexPath indexPath)
    {
        if (indexPath.section == 0) {
            auto cell = UITableViewCell::make(UITableViewCellStyleSubtitle, "TitleCell");
            auto clear = UIView::make();
            clear->setBackgroundColor(UIColor::clearColor().get());
            cell->setBackgroundView(clear);
            cell->setSelectionStyle(UITableViewCellSelectionStyleNone);
            cell->textLabel()->setText("Corvane");
            cell->textLabel()->setFont(UIFont::fontWithNameSize("HelveticaNeue", 44));
            cell->detailTextLabel()->setText("by Quillfen");
            return cell;
        }
        auto cell = UITableViewCell::make(UITableViewCellStyleDefault, "Cell");
        if (indexPath.section == 1) {
            field = UITextField::make(CGRectMake(8, 0, 284, 44));
            field->setPlaceholder("Test Keyboard");
            field->setTextAlignment(UITextAlignmentCenter);
            field->setContentVerticalAlignment(UIControlContentVerticalAlignmentCenter);
            cell->contentView()->addSubview(field);
            return cell;
        }
        cell->textLabel()->setText(indexPath.section == 2 ? "The Creators" : "Quillfen Support");
        cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        return cell;
    }

    RefPtr<UITableView> table;
    RefPtr<UITextField> field;
};

class Rendering : public testing::Test {
protected:
    void SetUp() override
    {
        window = UIWindow::make(CGRectMake(0, 0, 320, 460));
        window->makeKeyAndVisible();
        page = makeRef<SamplePage>();
        stack = makeRef<UINavigationController>(page.get());
        stack->view()->setFrame(window->bounds());
        window->addSubview(RefPtr(stack->view()));
    }
    void TearDown() override { runtimeRestoreRegisteredMethods(); }

    // The screens are kept for a look when CORVANE_SNAPSHOT_DIR names a folder.
    CGImageRef snapshot(const char* name)
    {
        CGImageRef image = window->snapshotImage(1);
        if (const char* folder = std::getenv("CORVANE_SNAPSHOT_DIR")) {
            EXPECT_TRUE(CGImageWritePNG(image, std::string(folder) + "/" + name + ".png"));
        }
        return image;
    }

    RefPtr<UIWindow> window;
    RefPtr<SamplePage> page;
    RefPtr<UINavigationController> stack;
};

bool isWhite(CGPixel pixel)
{
    return pixel.red > 250 && pixel.green > 250 && pixel.blue > 250;
}

TEST_F(Rendering, GroupedSettingsScreenShowsBarStripesCellsAndChevrons)
{
    CGImageRef image = snapshot("grouped-settings");
    ASSERT_TRUE(image);
    EXPECT_EQ(CGImageGetWidth(image), 320U);
    EXPECT_EQ(CGImageGetHeight(image), 460U);
    // The bar is a blue-grey, lighter at the top.
    CGPixel barTop = CGImageGetPixel(image, 160, 2);
    CGPixel barBottom = CGImageGetPixel(image, 160, 40);
    EXPECT_GT(barTop.blue, barTop.red);
    EXPECT_GT(barTop.blue, barBottom.blue);
    // The grouped background shows at the margin beside the cells.
    CGRect creators = page->table->rectForRowAtIndexPath({ 2, 0 });
    int rowMiddle = static_cast<int>(44 + creators.midY());
    CGPixel margin = CGImageGetPixel(image, 4, rowMiddle);
    EXPECT_FALSE(isWhite(margin));
    EXPECT_GT(margin.blue, margin.red);
    // Inside a cell it is white; the title row has no cell shape.
    EXPECT_TRUE(isWhite(CGImageGetPixel(image, 200, rowMiddle)));
    CGRect title = page->table->rectForRowAtIndexPath({ 0, 0 });
    EXPECT_FALSE(isWhite(CGImageGetPixel(image, 15, static_cast<int>(44 + title.minY() + 3))));
    // The chevron is grey at the right of the row; its row's text is dark.
    int darkest = 255;
    for (int x = 280; x < 305; ++x)
        darkest = std::min<int>(darkest, CGImageGetPixel(image, x, rowMiddle).red);
    EXPECT_LT(darkest, 200);
    EXPECT_GT(darkest, 60);
}

TEST_F(Rendering, SelectedRowFillsItsShapeWithTheSelectionColour)
{
    window->runDisplayPass();
    CGRect creators = page->table->rectForRowAtIndexPath({ 2, 0 });
    CGPoint point = page->table->convertPointToView({ 200, creators.midY() }, window.get());
    window->sendTouch(0, UITouchPhase::Began, point);
    CGImageRef image = snapshot("highlighted-row");
    CGPixel inside = CGImageGetPixel(image, 200, static_cast<int>(point.y));
    EXPECT_GT(inside.blue, 150);
    EXPECT_LT(inside.red, 80);
    window->sendTouch(0, UITouchPhase::Cancelled, point);
}

TEST_F(Rendering, EditingTextFieldDrawsItsTextAndCaret)
{
    window->runDisplayPass();
    page->field->becomeFirstResponder();
    send(page->field.get(), sel::insertText, NSString("Hello"));
    CGImageRef image = snapshot("editing-field");
    CGRect field = page->field->convertRectToView(page->field->bounds(), window.get());
    int darkPixels = 0;
    for (int x = static_cast<int>(field.minX()); x < static_cast<int>(field.maxX()); ++x) {
        if (CGImageGetPixel(image, x, static_cast<int>(field.midY())).red < 100)
            ++darkPixels;
    }
    EXPECT_GT(darkPixels, 5);
}

} // namespace
