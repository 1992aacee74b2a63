#include "platform/foundation/NSRunLoop.h"
#include "platform/uikit/UIWindow.h"
#include "settings/CorvaneTableViewCellTextField.h"
#include "tests/settings/PaneTestSupport.h"

namespace {

class TestFieldCell : public PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        window->makeKeyAndVisible();
        cell = CorvaneTableViewCellTextField::make(UITableViewCellStyleValue2, "TextFieldCell");
        ASSERT_TRUE(cell);
        cell->setFrame(CGRectMake(0, 60, 320, 44));
        window->addSubview(cell.get());
        window->runDisplayPass();
    }

    UITextField* field() const { return cell->textField(); }

    void tapAt(UIView* view, CGRect area)
    {
        CGRect inWindow = view->convertRectToView(area, window.get());
        window->tap({ inWindow.midX(), inWindow.midY() });
        window->runDisplayPass();
    }

    // Focuses the field with a tap and types as the keyboard does.
    void typeIntoField(const char* text)
    {
        tapAt(field(), field()->bounds());
        ASSERT_TRUE(field()->isFirstResponder());
        send(field(), sel::insertText, NSString(text));
        window->runDisplayPass();
    }

    RefPtr<UIWindow> window;
    RefPtr<CorvaneTableViewCellTextField> cell;
};

TEST_F(TestFieldCell, IsACentredBorderlessFieldInsetByEight)
{
    EXPECT_EQ(cell->style(), UITableViewCellStyleDefault);
    EXPECT_EQ(cell->selectionStyle(), UITableViewCellSelectionStyleNone);
    EXPECT_EQ(field()->superview(), cell->contentView());
    EXPECT_EQ(field()->placeholder(), NSString("Test Keyboard"));
    EXPECT_EQ(field()->textAlignment(), UITextAlignmentCenter);
    EXPECT_EQ(field()->contentVerticalAlignment(), UIControlContentVerticalAlignmentCenter);
    EXPECT_EQ(field()->clearButtonMode(), UITextFieldViewModeWhileEditing);
    EXPECT_EQ(field()->delegate(), cell.get());
    CGSize content = cell->contentView()->frame().size;
    EXPECT_EQ(field()->frame(), CGRectMake(8, 0, content.width - 16, content.height));

    cell->setFrame(CGRectMake(0, 60, 300, 50));
    window->runDisplayPass();
    content = cell->contentView()->frame().size;
    EXPECT_EQ(field()->frame(), CGRectMake(8, 0, content.width - 16, content.height));
}

TEST_F(TestFieldCell, ReturnEmptiesTheFieldAndLetsTheKeyboardGoAMomentLater)
{
    typeIntoField("qwerty");
    EXPECT_EQ(field()->text(), NSString("qwerty"));

    send(field(), sel::insertText, NSString("\n"));
    EXPECT_EQ(field()->text(), NSString(""));
    EXPECT_TRUE(field()->isFirstResponder()) << "the keyboard stays for a moment";
    NSRunLoop::main().advanceBy(0.099);
    EXPECT_TRUE(field()->isFirstResponder());
    NSRunLoop::main().advanceBy(0.002);
    EXPECT_FALSE(field()->isFirstResponder());
    EXPECT_FALSE(field()->isEditing());
}

TEST_F(TestFieldCell, TheClearButtonEmptiesTheFieldAndLetsTheKeyboardGoAMomentLater)
{
    typeIntoField("1234");
    ASSERT_TRUE(field()->isClearButtonVisible());
    tapAt(field(), field()->clearButtonRect());
    EXPECT_EQ(field()->text(), NSString(""));
    EXPECT_TRUE(field()->isFirstResponder());
    NSRunLoop::main().advanceBy(0.1);
    EXPECT_FALSE(field()->isFirstResponder());
}

} // namespace
