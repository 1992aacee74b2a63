#include "platform/foundation/NSNotificationCenter.h"
#include "platform/uikit/KeyboardPresenter.h"
#include "platform/uikit/NSValue.h"
#include "platform/uikit/UIKeyboardNotifications.h"
#include "platform/uikit/UITextField.h"
#include "platform/uikit/UIWindow.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// The smallest keyboard there is: it stands at the bottom of the window while
// presented and remembers what it types into.
class BottomKeyboard final : public KeyboardPresenter {
public:
    void presentKeyboard(UIWindow* window, NSObject* textInput) override
    {
        m_frame = CGRectMake(0, window->frame().height() - 216, window->frame().width(), 216);
        m_target = textInput;
        ++presentations;
    }
    void dismissKeyboard() override
    {
        m_frame = CGRectZero;
        m_target = nullptr;
        ++dismissals;
    }
    bool isKeyboardVisible() const override { return !m_frame.isEmpty(); }
    CGRect keyboardFrame() const override { return m_frame; }

    // Types as the keyboard does: through the text input's messages.
    void type(const char* text) { send(m_target, sel::insertText, NSString(text)); }
    void backspace() { send(m_target, sel::deleteBackward); }
    NSObject* target() const { return m_target; }

    int presentations { 0 };
    int dismissals { 0 };

private:
    CGRect m_frame;
    NSObject* m_target { nullptr };
};

// A delegate that answers what it is told to and logs what it is asked.
class FieldDelegate final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("TextFieldTestDelegate", NSObject::staticClass());
            addMethod<&FieldDelegate::shouldReturn>(created, sel::textFieldShouldReturn);
            addMethod<&FieldDelegate::shouldClear>(created, sel::textFieldShouldClear);
            return created;
        }();
        return cls;
    }
    FieldDelegate()
        : NSObject(staticClass())
    {
    }
    bool shouldReturn(UITextField* field)
    {
        log.push_back("return:" + field->text().utf8());
        field->setText("");
        return false;
    }
    bool shouldClear(UITextField* field)
    {
        log.push_back("clear:" + field->text().utf8());
        return allowClear;
    }

    bool allowClear { true };
    std::vector<std::string> log;
};

class TextField : public testing::Test {
protected:
    void SetUp() override
    {
        setKeyboardPresenter(&keyboard);
        window = UIWindow::make(CGRectMake(0, 0, 320, 480));
        field = UITextField::make(CGRectMake(10, 100, 300, 44));
        window->addSubview(field);
    }
    void TearDown() override
    {
        setKeyboardPresenter(nullptr);
        runtimeRestoreRegisteredMethods();
    }

    BottomKeyboard keyboard;
    RefPtr<UIWindow> window;
    RefPtr<UITextField> field;
};

TEST_F(TextField, TapMakesItFirstResponderAndBringsTheKeyboardThatTypesIntoIt)
{
    window->tap({ 50, 120 });
    EXPECT_TRUE(field->isFirstResponder());
    EXPECT_TRUE(field->isEditing());
    EXPECT_TRUE(keyboard.isKeyboardVisible());
    EXPECT_EQ(keyboard.target(), field.get());

    keyboard.type("h");
    keyboard.type("é");
    keyboard.type("y");
    keyboard.backspace();
    EXPECT_EQ(field->text(), NSString("hé"));
    keyboard.backspace();
    keyboard.backspace();
    keyboard.backspace();
    EXPECT_FALSE(send(field.get(), sel::hasText));

    EXPECT_TRUE(field->resignFirstResponder());
    EXPECT_FALSE(field->isFirstResponder());
    EXPECT_FALSE(keyboard.isKeyboardVisible());
    EXPECT_EQ(keyboard.dismissals, 1);
}

TEST_F(TextField, FocusMovingBetweenFieldsKeepsTheKeyboardUp)
{
    auto other = UITextField::make(CGRectMake(10, 200, 300, 44));
    window->addSubview(other);
    field->becomeFirstResponder();
    other->becomeFirstResponder();
    EXPECT_FALSE(field->isEditing());
    EXPECT_TRUE(other->isFirstResponder());
    EXPECT_EQ(keyboard.target(), other.get());
    EXPECT_EQ(keyboard.dismissals, 0);

    // Ending editing in the window reaches the field deep inside it.
    EXPECT_TRUE(window->endEditing(true));
    EXPECT_FALSE(keyboard.isKeyboardVisible());
    EXPECT_EQ(window->firstResponder(), nullptr);
}

TEST_F(TextField, WithoutAKeyboardEditingStillStartsAndRemovalResigns)
{
    setKeyboardPresenter(nullptr);
    EXPECT_TRUE(field->becomeFirstResponder());
    EXPECT_TRUE(field->isEditing());
    field->removeFromSuperview();
    EXPECT_FALSE(field->isEditing());
    EXPECT_EQ(window->firstResponder(), nullptr);
    // Off screen, a field cannot take the focus.
    EXPECT_FALSE(field->becomeFirstResponder());
}

struct PostedKeyboardNotification {
    std::string name;
    CGRect begin;
    CGRect end;
};

TEST_F(TextField, KeyboardNotificationsCarryTheKeyboardsFrameAsValues)
{
    std::vector<PostedKeyboardNotification> posted;
    for (const char* name : { UIKeyboardWillShowNotification, UIKeyboardDidShowNotification,
             UIKeyboardWillHideNotification, UIKeyboardDidHideNotification }) {
        NSNotificationCenter::defaultCenter()->addObserver(
            nullptr,
            [&posted](NSNotification* notification) {
                auto frame = [notification](const char* key) {
                    auto* value = runtimeCast<NSValue>(notification->userInfo()->objectForKey(key).object());
                    return value ? value->CGRectValue() : CGRectZero;
                };
                posted.push_back({ notification->name().utf8(), frame(UIKeyboardFrameBeginUserInfoKey),
                    frame(UIKeyboardFrameEndUserInfoKey) });
            },
            name, nullptr);
    }
    auto other = UITextField::make(CGRectMake(10, 200, 300, 44));
    window->addSubview(other);

    field->becomeFirstResponder();
    other->becomeFirstResponder();
    other->resignFirstResponder();

    CGRect onScreen = CGRectMake(0, 264, 320, 216);
    CGRect below = CGRectMake(0, 480, 320, 216);
    ASSERT_EQ(posted.size(), 4U);
    EXPECT_EQ(posted[0].name, UIKeyboardWillShowNotification);
    EXPECT_EQ(posted[1].name, UIKeyboardDidShowNotification);
    EXPECT_EQ(posted[1].begin, below);
    EXPECT_EQ(posted[1].end, onScreen);
    EXPECT_EQ(posted[2].name, UIKeyboardWillHideNotification);
    EXPECT_EQ(posted[2].begin, onScreen);
    EXPECT_EQ(posted[3].name, UIKeyboardDidHideNotification);
    EXPECT_EQ(posted[3].end, below);
}

TEST_F(TextField, WithoutAKeyboardNothingIsAnnounced)
{
    setKeyboardPresenter(nullptr);
    int posts = 0;
    NSNotificationCenter::defaultCenter()->addObserver(
        nullptr, [&posts](NSNotification*) { ++posts; }, NSString(), nullptr);
    field->becomeFirstResponder();
    field->resignFirstResponder();
    EXPECT_EQ(posts, 0);
}

TEST_F(TextField, ReturnAsksTheDelegateInsteadOfBreakingTheLine)
{
    auto delegate = makeRef<FieldDelegate>();
    field->setDelegate(delegate.get());
    field->becomeFirstResponder();
    keyboard.type("ab");
    keyboard.type("\n");
    EXPECT_EQ(delegate->log, (std::vector<std::string> { "return:ab" }));
    EXPECT_EQ(field->text(), NSString(""));
    EXPECT_EQ(field->keyboardType(), send(field.get(), sel::keyboardType));
}

TEST_F(TextField, ClearButtonShowsWhileEditingWithTextAndAsksTheDelegate)
{
    auto delegate = makeRef<FieldDelegate>();
    field->setDelegate(delegate.get());
    field->setClearButtonMode(UITextFieldViewModeWhileEditing);
    field->setText("typed");
    window->runDisplayPass();
    EXPECT_FALSE(field->isClearButtonVisible());
    EXPECT_TRUE(field->clearButton()->isHidden());

    field->becomeFirstResponder();
    window->runDisplayPass();
    ASSERT_FALSE(field->clearButton()->isHidden());
    CGRect button = field->clearButton()->convertRectToView(field->clearButton()->bounds(), window.get());

    delegate->allowClear = false;
    window->tap({ button.midX(), button.midY() });
    EXPECT_EQ(field->text(), NSString("typed"));
    delegate->allowClear = true;
    window->tap({ button.midX(), button.midY() });
    EXPECT_EQ(field->text(), NSString(""));
    EXPECT_EQ(delegate->log, (std::vector<std::string> { "clear:typed", "clear:typed" }));
    // Tapping the clear button keeps the field editing.
    EXPECT_TRUE(field->isFirstResponder());
    window->runDisplayPass();
    EXPECT_TRUE(field->clearButton()->isHidden());
}

TEST_F(TextField, TextRectFollowsTheVerticalAlignmentAndLeavesRoomForTheClearButton)
{
    CGFloat line = field->font()->lineHeight();
    field->setContentVerticalAlignment(UIControlContentVerticalAlignmentCenter);
    EXPECT_FLOAT_EQ(field->textRect().minY(), (44 - line) / 2);
    EXPECT_FLOAT_EQ(field->textRect().width(), 300);
    field->setContentVerticalAlignment(UIControlContentVerticalAlignmentBottom);
    EXPECT_FLOAT_EQ(field->textRect().maxY(), 44);
    field->setClearButtonMode(UITextFieldViewModeAlways);
    field->setText("x");
    EXPECT_LT(field->textRect().maxX(), field->clearButtonRect().minX());
}

} // namespace
