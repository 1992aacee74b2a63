#include "KeyboardTestSupport.h"

namespace keyboard_test {
namespace {

class Teardown : public KeyboardFixture { };

TEST_F(Teardown, ActiveKeyboardAndInstanceAnswerNothingOnceDismissed)
{
    present(0);
    ASSERT_TRUE(send(UIKeyboard::staticClass(), sel::activeKeyboard));
    EXPECT_EQ(send(send(UIKeyboard::staticClass(), sel::activeKeyboard), sel::window), window.get());
    ASSERT_TRUE(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
    WeakPtr<NSObject> keyboard(send(UIKeyboard::staticClass(), sel::activeKeyboard));
    presenter.dismissKeyboard();
    EXPECT_FALSE(keyboard.get());
    EXPECT_EQ(send(UIKeyboard::staticClass(), sel::activeKeyboard), nullptr);
    EXPECT_EQ(send(UIKeyboardImpl::staticClass(), sel::activeInstance), nullptr);
    EXPECT_EQ(window->subviews()->count(), 0u);
    EXPECT_FALSE(presenter.isKeyboardVisible());
    EXPECT_EQ(presenter.keyboardFrame(), CGRectZero);
}

TEST_F(Teardown, DismissingDuringAPressTakesThePopupAwayAndStopsTheTimer)
{
    present(0);
    driver.touchDown(centerOf("Latin-Small-Letter-E"));
    ASSERT_EQ(popupsInWindow().size(), 1u);
    presenter.dismissKeyboard();
    EXPECT_TRUE(popupsInWindow().empty());
    NSRunLoop::main().advanceBy(5);
    EXPECT_EQ(window->subviews()->count(), 0u);
    // The finger lifting later reaches nothing.
    driver.touchUp();
    EXPECT_TRUE(input->text.empty());
}

TEST_F(Teardown, KeyboardOutlivesItsTextInputSafely)
{
    present(0);
    input = nullptr;
    WeakPtr<NSObject> textInput(impl()->textInput());
    EXPECT_FALSE(textInput.get());
    tap("Latin-Small-Letter-Q");
    tap("Delete-Key");
    EXPECT_TRUE(popupsInWindow().empty());
    tap("Shift-Key");
    EXPECT_EQ(keyplaneName(), "Capital-Letters");
}

TEST_F(Teardown, PresenterDestroyedWithTheKeyboardShown)
{
    auto window2 = UIWindow::make(CGRectMake(0, 0, 320, 480));
    auto textInput = makeRef<TestTextInput>();
    {
        SystemKeyboardPresenter local;
        local.presentKeyboard(window2.get(), textInput.get());
        EXPECT_TRUE(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
    }
    EXPECT_EQ(send(UIKeyboardImpl::staticClass(), sel::activeInstance), nullptr);
    EXPECT_EQ(window2->subviews()->count(), 0u);
}

TEST_F(Teardown, PresentingAgainReplacesTheKeyboard)
{
    present(0);
    WeakPtr<NSObject> first(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
    present(7);
    EXPECT_FALSE(first.get());
    EXPECT_EQ(layout()->keyboardType(), 7);
}

} // namespace
} // namespace keyboard_test
