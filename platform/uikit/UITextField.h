#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UIButton.h"
#include "platform/uikit/UIKeyboardType.h"
#include "platform/uikit/UITextInput.h"

class UITextField;

// The delegate's messages; each is optional.
namespace sel {
inline constinit Selector<bool(UITextField*)> textFieldShouldBeginEditing("textFieldShouldBeginEditing:");
inline constinit Selector<void(UITextField*)> textFieldDidBeginEditing("textFieldDidBeginEditing:");
inline constinit Selector<void(UITextField*)> textFieldDidEndEditing("textFieldDidEndEditing:");
inline constinit Selector<bool(UITextField*)> textFieldShouldReturn("textFieldShouldReturn:");
inline constinit Selector<bool(UITextField*)> textFieldShouldClear("textFieldShouldClear:");
} // namespace sel

enum UIControlContentVerticalAlignment {
    UIControlContentVerticalAlignmentCenter = 0,
    UIControlContentVerticalAlignmentTop = 1,
    UIControlContentVerticalAlignmentBottom = 2,
    UIControlContentVerticalAlignmentFill = 3,
};

enum UITextFieldViewMode {
    UITextFieldViewModeNever = 0,
    UITextFieldViewModeWhileEditing = 1,
    UITextFieldViewModeUnlessEditing = 2,
    UITextFieldViewModeAlways = 3,
};

// A one-line editable text. A tap makes it the first responder, which brings
// up the installed keyboard (and posts the keyboard notifications); the
// keyboard types into it with insertText: and deleteBackward. A typed Return
// asks the delegate's textFieldShouldReturn: instead of entering a line
// break. The clear button, where its mode shows it, empties the field when
// the delegate's textFieldShouldClear: allows it.
class PLATFORM_EXPORT UITextField : public UIControl {
public:
    static Class* staticClass();
    static Ref<UITextField> make(CGRect frame = CGRectZero) { return makeRef<UITextField>(frame); }

    explicit UITextField(CGRect frame = CGRectZero, Class* cls = staticClass());

    const NSString& text() const { return m_text; }
    void setText(NSString text);
    const NSString& placeholder() const { return m_placeholder; }
    void setPlaceholder(NSString placeholder);
    UIFont* font() const { return m_font.get(); }
    void setFont(RefPtr<UIFont> font);
    UIColor* textColor() const { return m_textColor.get(); }
    void setTextColor(RefPtr<UIColor> color);
    UITextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(UITextAlignment alignment);
    UIControlContentVerticalAlignment contentVerticalAlignment() const { return m_verticalAlignment; }
    void setContentVerticalAlignment(UIControlContentVerticalAlignment alignment);
    UITextFieldViewMode clearButtonMode() const { return m_clearButtonMode; }
    void setClearButtonMode(UITextFieldViewMode mode);
    NSObject* delegate() const { return m_delegate.get(); }
    // Not kept alive.
    void setDelegate(NSObject* delegate) { m_delegate = delegate; }
    int keyboardType() const { return m_keyboardType; }
    void setKeyboardType(int type) { m_keyboardType = type; }
    bool isEditing() const { return m_editing; }

    // Shown while its mode says so and there is text to clear.
    bool isClearButtonVisible() const;
    UIButton* clearButton() const { return m_clearButton.get(); }
    CGRect clearButtonRect() const;
    // Where the text (or placeholder) is drawn: the bounds less the clear
    // button, as tall as one line and placed by the vertical alignment.
    CGRect textRect() const;

    void insertText(NSString text);
    void deleteBackward();
    bool hasText() const { return !m_text.isNil() && !m_text.isEmpty(); }

    bool canBecomeFirstResponderImpl() { return true; }
    bool becomeFirstResponderImpl();
    bool resignFirstResponderImpl();
    void touchesEndedImpl(NSSet* touches, NSObject* event);
    void layoutSubviewsImpl();
    void drawRectImpl(CGRect rect);
    // A field is an element: its placeholder says what it is for, its text is its value.
    bool isAccessibilityElementImpl() { return explicitIsAccessibilityElement().value_or(true); }
    NSString accessibilityLabelImpl() { return explicitAccessibilityLabel().value_or(m_placeholder); }
    NSString accessibilityValueImpl() { return m_text; }

private:
    // The delegate's answer, or the given one when it has none.
    bool delegateAllows(const Selector<bool(UITextField*)>& question, bool answerWithout);
    void tellDelegate(const Selector<void(UITextField*)>& message);
    void clearButtonTapped();
    void textDidChange();
    void showKeyboard(bool keyboardWasUp);
    void hideKeyboard();

    NSString m_text;
    NSString m_placeholder;
    RefPtr<UIFont> m_font;
    RefPtr<UIColor> m_textColor;
    UITextAlignment m_textAlignment { UITextAlignmentLeft };
    UIControlContentVerticalAlignment m_verticalAlignment { UIControlContentVerticalAlignmentTop };
    UITextFieldViewMode m_clearButtonMode { UITextFieldViewModeNever };
    WeakPtr<NSObject> m_delegate;
    int m_keyboardType { UIKeyboardTypeDefault };
    bool m_editing { false };
    RefPtr<UIButton> m_clearButton;
};
