#include "platform/foundation/NSRunLoop.h"
#include "platform/uikit/UIWindow.h"
#include "settings/CorvaneTableViewCellTextField.h"
#include "tests/settings/InstalledKeyboard.h"
#include "tests/settings/PaneTestSupport.h"

namespace {

// The cell in a window with the platform's own keyboard installed.
class TestFieldCell : public PaneTest {
protected:
    void SetUp() override
    {
        PaneTest::SetUp();
        keyboard = std::make_unique<InstalledKeyboard>();
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        window->makeKeyAndVisible();
        cell = CorvaneTableViewCellTextField::make(UITableViewCellStyleValue2, "TextFieldCell");
        ASSERT_TRUE(cell);
        cell->setFrame(CGRectMake(0, 60, 320, 44));
        window->addSubview(cell);
        window->runDisplayPass();
    }

    void TearDown() override
    {
        keyboard.reset();
        PaneTest::TearDown();
    }

    UITextField* field() const { return cell->textField(); }

    void tapAt(UIView* view, CGRect area)
    {
        CGRect inWindow = view->convertRectToView(area, window.get());
        window->tap({ inWindow.midX(), inWindow.midY() });
        window->runDisplayPass();
    }

    // Focuses the field with a tap and types on the keyboard that comes up.
    void typeIntoField(std::initializer_list<const char*> keys)
    {
        tapAt(field(), field()->bounds());
        ASSERT_TRUE(field()->isFirstResponder());
        ASSERT_TRUE(keyboard->isVisible());
        for (const char* key : keys)
            ASSERT_TRUE(keyboard->tapKeyNamed(key)) << key;
        window->runDisplayPass();
    }

    std::unique_ptr<InstalledKeyboard> keyboard;
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
    typeIntoField({ "Latin-Small-Letter-Q", "Latin-Small-Letter-W" });
    EXPECT_EQ(field()->text(), NSString("qw"));

    ASSERT_TRUE(keyboard->tapKeyNamed("Return-Key"));
    EXPECT_EQ(field()->text(), NSString(""));
    EXPECT_TRUE(keyboard->isVisible()) << "the keyboard stays for a moment";
    NSRunLoop::main().advanceBy(0.099);
    EXPECT_TRUE(keyboard->isVisible());
    EXPECT_TRUE(field()->isFirstResponder());
    NSRunLoop::main().advanceBy(0.002);
    EXPECT_FALSE(keyboard->isVisible());
    EXPECT_FALSE(field()->isFirstResponder());
}

TEST_F(TestFieldCell, TheClearButtonEmptiesTheFieldAndLetsTheKeyboardGoAMomentLater)
{
    typeIntoField({ "Latin-Small-Letter-A" });
    ASSERT_TRUE(field()->isClearButtonVisible());
    tapAt(field(), field()->clearButtonRect());
    EXPECT_EQ(field()->text(), NSString(""));
    EXPECT_TRUE(keyboard->isVisible());
    NSRunLoop::main().advanceBy(0.1);
    EXPECT_FALSE(keyboard->isVisible());
    EXPECT_FALSE(field()->isFirstResponder());
}

} // namespace
