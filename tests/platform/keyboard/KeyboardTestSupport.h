#pragma once

#include "platform/foundation/NSLocale.h"
#include "platform/foundation/NSRunLoop.h"
#include "platform/keyboard/KeyboardTimer.h"
#include "platform/keyboard/SystemKeyboardPresenter.h"
#include "platform/keyboard/UIKBKeyView.h"
#include "platform/keyboard/UIKeyboard.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/uikit/UITextInput.h"
#include "platform/uikit/UIWindow.h"
#include "tests/support/TouchScreen.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace keyboard_test {

// A text field's text input as the keyboard sees it: it records what is
// typed and deleted, and asks for a keyboard type.
class TestTextInput final : public NSObject {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("KeyboardTestTextInput", NSObject::staticClass());
            addMethod<&TestTextInput::insertText>(created, sel::insertText);
            addMethod<&TestTextInput::deleteBackward>(created, sel::deleteBackward);
            addMethod<&TestTextInput::hasText>(created, sel::hasText);
            addMethod<&TestTextInput::keyboardType>(created, sel::keyboardType);
            return created;
        }();
        return cls;
    }
    explicit TestTextInput(int type = 0)
        : NSObject(staticClass())
        , m_type(type)
    {
    }

    std::string text;
    int deletions { 0 };

private:
    void insertText(NSString string) { text += string.utf8(); }
    void deleteBackward()
    {
        ++deletions;
        if (text.empty())
            return;
        // Remove one whole UTF-8 character.
        std::size_t end = text.size() - 1;
        while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
            --end;
        text.erase(end);
    }
    bool hasText() { return !text.empty(); }
    int keyboardType() { return m_type; }
    int m_type;
};

inline constexpr CGSize portraitWindow { 320, 480 };
inline constexpr CGSize landscapeWindow { 568, 320 };

// Each test starts from the platform's own methods, the default locale, a
// fresh run loop on the virtual clock and a fresh presenter, window and text
// input.
class KeyboardFixture : public testing::Test {
protected:
    void SetUp() override
    {
        runtimeRestoreRegisteredMethods();
        NSLocale::setCurrentLocaleIdentifier("en_US");
        NSRunLoop::main().reset();
    }
    void TearDown() override
    {
        driver.touchCancel();
        presenter.dismissKeyboard();
        runtimeRestoreRegisteredMethods();
        NSLocale::setCurrentLocaleIdentifier("en_US");
    }

    void present(int type = 0, CGSize windowSize = portraitWindow)
    {
        window = UIWindow::make(CGRectMake(0, 0, windowSize.width, windowSize.height));
        input = makeRef<TestTextInput>(type);
        presenter.presentKeyboard(window.get(), input.get());
    }

    UIKeyboardImpl* impl() const
    {
        return static_cast<UIKeyboardImpl*>(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
    }
    UIKeyboardLayoutStar* layout() const { return TouchScreen::activeLayout(); }
    UIKBTree* keyplane() const { return static_cast<UIKBTree*>(send(layout(), sel::keyplane)); }
    std::string keyplaneName() const { return send(layout(), sel::keyplaneName).utf8(); }

    UIKBTree* keyNamed(const char* name) const
    {
        RefPtr<NSMutableArray> keys = send(keyplane(), sel::keysByKeyName, NSString(name));
        return keys && keys->count() ? static_cast<UIKBTree*>(keys->objectAtIndex(0).object()) : nullptr;
    }
    CGPoint centerOf(const char* name) const
    {
        CGRect frame = send(keyNamed(name), sel::frame);
        return { frame.midX(), frame.midY() };
    }
    void tap(const char* name) { ASSERT_TRUE(driver.tapKeyNamed(name)) << name; }

    // The key views among the window's subviews, as the extension finds the pop-up.
    std::vector<UIKBKeyView*> popupsInWindow() const
    {
        std::vector<UIKBKeyView*> found;
        for (const Value& view : *window->subviews()) {
            if (auto* keyView = runtimeCast<UIKBKeyView>(view.object()))
                found.push_back(keyView);
        }
        return found;
    }

    SystemKeyboardPresenter presenter;
    TouchScreen driver;
    RefPtr<UIWindow> window;
    RefPtr<TestTextInput> input;
};

} // namespace keyboard_test
