#include "platform/uikit/UITextField.h"

#include "platform/graphics/CGContext.h"
#include "platform/uikit/KeyboardPresenter.h"
#include "platform/uikit/UIKeyboardNotifications.h"
#include "platform/uikit/UITextFieldClearButton.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace {

constexpr CGFloat defaultFontSize = 17;
constexpr CGFloat clearButtonMargin = 6;
constexpr CGFloat caretWidth = 2;
constexpr CGColor placeholderColor = CGColor::white(0.7F);
constexpr CGColor caretColor = CGColor::rgb(0.26F, 0.42F, 0.95F);

// Set while focus passes from one text input to another, so the keyboard stays.
bool focusMovingBetweenInputs = false;

NSString removingLastCharacter(const NSString& text)
{
    std::string bytes = text.utf8();
    // Drop UTF-8 continuation bytes, then the lead byte of the last character.
    while (!bytes.empty() && (static_cast<unsigned char>(bytes.back()) & 0xC0) == 0x80)
        bytes.pop_back();
    if (!bytes.empty())
        bytes.pop_back();
    return NSString(std::move(bytes));
}

CGRect offscreenBelow(CGRect frame, const UIWindow* window)
{
    CGFloat bottom = window ? window->frame().height() : frame.maxY();
    return { { frame.origin.x, bottom }, frame.size };
}

} // namespace

Class* UITextField::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UITextField", UIControl::staticClass());
        addMethod<&UITextField::insertText>(created, sel::insertText);
        addMethod<&UITextField::deleteBackward>(created, sel::deleteBackward);
        addMethod<&UITextField::hasText>(created, sel::hasText);
        addMethod<&UITextField::keyboardType>(created, sel::keyboardType);
        addMethod<&UITextField::canBecomeFirstResponderImpl>(created, sel::canBecomeFirstResponder);
        addMethod<&UITextField::becomeFirstResponderImpl>(created, sel::becomeFirstResponder);
        addMethod<&UITextField::resignFirstResponderImpl>(created, sel::resignFirstResponder);
        addMethod<&UITextField::touchesEndedImpl>(created, sel::touchesEnded);
        addMethod<&UITextField::layoutSubviewsImpl>(created, sel::layoutSubviews);
        addMethod<&UITextField::drawRectImpl>(created, sel::drawRect);
        addMethod<&UITextField::isAccessibilityElementImpl>(created, sel::isAccessibilityElement);
        addMethod<&UITextField::accessibilityLabelImpl>(created, sel::accessibilityLabel);
        addMethod<&UITextField::accessibilityValueImpl>(created, sel::accessibilityValue);
        return created;
    }();
    return cls;
}

UITextField::UITextField(CGRect frame, Class* cls)
    : UIControl(frame, cls)
    , m_font(UIFont::systemFontOfSize(defaultFontSize))
    , m_textColor(UIColor::blackColor())
    , m_clearButton(makeRef<UITextFieldClearButton>())
{
    m_clearButton->setHidden(true);
    m_clearButton->addActionForControlEvents([this] { clearButtonTapped(); }, UIControlEventTouchUpInside);
    addSubview(m_clearButton);
}

void UITextField::setText(NSString text)
{
    m_text = std::move(text);
    setNeedsLayout();
    setNeedsDisplay();
}

void UITextField::setPlaceholder(NSString placeholder)
{
    m_placeholder = std::move(placeholder);
    setNeedsDisplay();
}

void UITextField::setFont(RefPtr<UIFont> font)
{
    m_font = font ? std::move(font) : UIFont::systemFontOfSize(defaultFontSize);
    setNeedsDisplay();
}

void UITextField::setTextColor(RefPtr<UIColor> color)
{
    m_textColor = color ? std::move(color) : UIColor::blackColor();
    setNeedsDisplay();
}

void UITextField::setTextAlignment(UITextAlignment alignment)
{
    m_textAlignment = alignment;
    setNeedsDisplay();
}

void UITextField::setContentVerticalAlignment(UIControlContentVerticalAlignment alignment)
{
    m_verticalAlignment = alignment;
    setNeedsDisplay();
}

void UITextField::setClearButtonMode(UITextFieldViewMode mode)
{
    m_clearButtonMode = mode;
    setNeedsLayout();
}

bool UITextField::isClearButtonVisible() const
{
    bool shownInThisState = m_clearButtonMode == UITextFieldViewModeAlways
        || (m_clearButtonMode == UITextFieldViewModeWhileEditing && m_editing)
        || (m_clearButtonMode == UITextFieldViewModeUnlessEditing && !m_editing);
    return shownInThisState && hasText();
}

CGRect UITextField::clearButtonRect() const
{
    constexpr CGFloat size = UITextFieldClearButton::diameter;
    CGRect area = bounds();
    return { { area.width() - size - clearButtonMargin, (area.height() - size) / 2 }, { size, size } };
}

CGRect UITextField::textRect() const
{
    CGRect area = { { 0, 0 }, frame().size };
    if (isClearButtonVisible())
        area.size.width = std::max<CGFloat>(0, clearButtonRect().minX() - clearButtonMargin);
    CGFloat lineHeight = std::min(m_font->lineHeight(), area.height());
    switch (m_verticalAlignment) {
    case UIControlContentVerticalAlignmentCenter:
        return { { 0, (area.height() - lineHeight) / 2 }, { area.width(), lineHeight } };
    case UIControlContentVerticalAlignmentBottom:
        return { { 0, area.height() - lineHeight }, { area.width(), lineHeight } };
    case UIControlContentVerticalAlignmentFill:
        return area;
    case UIControlContentVerticalAlignmentTop:
        break;
    }
    return { { 0, 0 }, { area.width(), lineHeight } };
}

bool UITextField::delegateAllows(const Selector<bool(UITextField*)>& question, bool answerWithout)
{
    NSObject* delegate = m_delegate.get();
    if (!delegate || !class_respondsToSelector(object_getClass(delegate), question.id()))
        return answerWithout;
    return send(delegate, question, this);
}

void UITextField::tellDelegate(const Selector<void(UITextField*)>& message)
{
    NSObject* delegate = m_delegate.get();
    if (delegate && class_respondsToSelector(object_getClass(delegate), message.id()))
        send(delegate, message, this);
}

void UITextField::insertText(NSString text)
{
    // One line only: Return is the delegate's to handle.
    if (text.utf8() == "\n") {
        if (delegateAllows(sel::textFieldShouldReturn, true))
            sendActionsForControlEvents(UIControlEventEditingDidEndOnExit);
        return;
    }
    NSString withoutBreaks = text.stringByReplacingOccurrencesOfString("\n", "");
    if (withoutBreaks.isNil() || withoutBreaks.isEmpty())
        return;
    m_text = NSString(m_text.utf8() + withoutBreaks.utf8());
    textDidChange();
}

void UITextField::deleteBackward()
{
    if (!hasText())
        return;
    m_text = removingLastCharacter(m_text);
    textDidChange();
}

void UITextField::textDidChange()
{
    setNeedsLayout();
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

void UITextField::clearButtonTapped()
{
    if (!delegateAllows(sel::textFieldShouldClear, true))
        return;
    setText("");
    sendActionsForControlEvents(UIControlEventEditingChanged);
}

bool UITextField::becomeFirstResponderImpl()
{
    if (m_editing)
        return true;
    if (!window() || !delegateAllows(sel::textFieldShouldBeginEditing, true))
        return false;
    KeyboardPresenter* presenter = keyboardPresenter();
    bool keyboardWasUp = presenter && presenter->isKeyboardVisible();
    focusMovingBetweenInputs = true;
    bool became = UIView::becomeFirstResponderImpl();
    focusMovingBetweenInputs = false;
    if (!became)
        return false;
    m_editing = true;
    showKeyboard(keyboardWasUp);
    setNeedsLayout();
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingDidBegin);
    tellDelegate(sel::textFieldDidBeginEditing);
    return true;
}

bool UITextField::resignFirstResponderImpl()
{
    if (!m_editing)
        return UIView::resignFirstResponderImpl();
    RefPtr<UITextField> keepAlive(this);
    m_editing = false;
    UIView::resignFirstResponderImpl();
    if (!focusMovingBetweenInputs)
        hideKeyboard();
    setNeedsLayout();
    setNeedsDisplay();
    sendActionsForControlEvents(UIControlEventEditingDidEnd);
    tellDelegate(sel::textFieldDidEndEditing);
    return true;
}

// The keyboard comes up first so that the notifications carry its real frame.
void UITextField::showKeyboard(bool keyboardWasUp)
{
    KeyboardPresenter* presenter = keyboardPresenter();
    if (!presenter)
        return;
    presenter->presentKeyboard(window(), this);
    if (keyboardWasUp)
        return;
    CGRect onScreen = presenter->keyboardFrame();
    CGRect below = offscreenBelow(onScreen, window());
    postKeyboardNotification(UIKeyboardWillShowNotification, below, onScreen);
    postKeyboardNotification(UIKeyboardDidShowNotification, below, onScreen);
}

void UITextField::hideKeyboard()
{
    KeyboardPresenter* presenter = keyboardPresenter();
    if (!presenter || !presenter->isKeyboardVisible())
        return;
    CGRect onScreen = presenter->keyboardFrame();
    CGRect below = offscreenBelow(onScreen, window());
    postKeyboardNotification(UIKeyboardWillHideNotification, onScreen, below);
    presenter->dismissKeyboard();
    postKeyboardNotification(UIKeyboardDidHideNotification, onScreen, below);
}

void UITextField::touchesEndedImpl(NSSet* touches, NSObject* event)
{
    bool wasTracking = isTracking();
    UIControl::touchesEndedImpl(touches, event);
    // Only the lift of the finger the field followed, inside it, focuses it.
    if (wasTracking && !isTracking() && isTouchInside())
        send(this, sel::becomeFirstResponder);
}

void UITextField::layoutSubviewsImpl()
{
    m_clearButton->setFrame(clearButtonRect());
    m_clearButton->setHidden(!isClearButtonVisible());
}

void UITextField::drawRectImpl(CGRect)
{
    CGContextRef context = UIGraphicsGetCurrentContext();
    CGRect area = textRect();
    bool showsPlaceholder = !hasText();
    const NSString& shown = showsPlaceholder ? m_placeholder : m_text;
    CGContextSetFillColorWithColor(context, showsPlaceholder ? placeholderColor : m_textColor->CGColor());
    drawInRectWithFontLineBreakModeAlignment(shown, area, m_font.get(), UILineBreakModeClip, m_textAlignment);
    if (!m_editing)
        return;
    CGFloat textWidth
        = showsPlaceholder ? 0 : std::min(sizeWithFont(m_text, m_font.get()).width, area.width());
    CGFloat caretX = area.minX() + textWidth;
    if (m_textAlignment == UITextAlignmentCenter)
        caretX = area.midX() + textWidth / 2;
    else if (m_textAlignment == UITextAlignmentRight)
        caretX = area.maxX() - caretWidth;
    CGContextSetFillColorWithColor(context, caretColor);
    CGContextFillRect(context, { { caretX, area.minY() }, { caretWidth, area.height() } });
}
