#include "platform/uikit/UIAlertView.h"

#include "platform/uikit/UIApplication.h"
#include "platform/uikit/UIWindow.h"

#include <algorithm>

namespace {

constexpr CGFloat boxWidth = 284;
constexpr CGFloat boxPadding = 16;
constexpr CGFloat buttonHeight = 43;
constexpr CGFloat buttonGap = 10;
constexpr CGFloat labelGap = 8;

std::vector<RefPtr<UIAlertView>>& shownAlerts()
{
    static std::vector<RefPtr<UIAlertView>> alerts;
    return alerts;
}

} // namespace

Class* UIAlertView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIAlertView", UIView::staticClass());
        addMethod<&UIAlertView::layoutSubviewsImpl>(created, sel::layoutSubviews);
        return created;
    }();
    return cls;
}

UIAlertView::UIAlertView(NSString title, NSString message, NSObject* delegate, NSString cancelButtonTitle,
    std::vector<NSString> otherButtonTitles)
    : UIView(CGRectZero, staticClass())
    , m_title(std::move(title))
    , m_message(std::move(message))
    , m_delegate(delegate)
    , m_box(UIView::make())
    , m_titleLabel(UILabel::make())
    , m_messageLabel(UILabel::make())
{
    setBackgroundColor(CGColor::white(0, 0.4F));
    m_box->setBackgroundColor(CGColor::rgb(0.05F, 0.11F, 0.31F, 0.92F));
    m_box->layer().setCornerRadius(10);
    addSubview(m_box);
    auto configure = [this](const RefPtr<UILabel>& label, const NSString& text, RefPtr<UIFont> font) {
        label->setText(text);
        label->setFont(std::move(font));
        label->setTextColor(UIColor::whiteColor());
        label->setBackgroundColor(UIColor::clearColor().get());
        label->setTextAlignment(UITextAlignmentCenter);
        label->setNumberOfLines(0);
        label->setLineBreakMode(UILineBreakModeWordWrap);
        m_box->addSubview(label);
    };
    configure(m_titleLabel, m_title, UIFont::boldSystemFontOfSize(18));
    configure(m_messageLabel, m_message, UIFont::systemFontOfSize(16));

    std::vector<NSString> titles;
    if (!cancelButtonTitle.isNil())
        titles.push_back(std::move(cancelButtonTitle));
    for (auto& other : otherButtonTitles)
        titles.push_back(std::move(other));
    for (std::size_t index = 0; index < titles.size(); ++index) {
        auto button = UIButton::make();
        button->setTitleForState(titles[index], UIControlStateNormal);
        button->setBackgroundColor(CGColor::white(1, 0.25F));
        button->layer().setCornerRadius(6);
        int buttonIndex = static_cast<int>(index);
        button->addActionForControlEvents(
            [this, buttonIndex] { dismissWithClickedButtonIndexAnimated(buttonIndex, true); },
            UIControlEventTouchUpInside);
        m_box->addSubview(button);
        m_buttons.push_back(std::move(button));
    }
}

NSString UIAlertView::buttonTitleAtIndex(int index) const
{
    UIButton* button = buttonAtIndex(index);
    return button ? button->titleForState(UIControlStateNormal) : NSString();
}

UIButton* UIAlertView::buttonAtIndex(int index) const
{
    return index >= 0 && index < numberOfButtons() ? m_buttons[index].get() : nullptr;
}

void UIAlertView::show()
{
    UIWindow* window = UIApplication::sharedApplication()->keyWindow();
    if (!window || m_visible)
        return;
    m_visible = true;
    setFrame(window->bounds());
    setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    window->addSubview(RefPtr(this));
    shownAlerts().emplace_back(this);
}

void UIAlertView::dismissWithClickedButtonIndexAnimated(int index, bool)
{
    if (!m_visible)
        return;
    RefPtr<UIAlertView> keepAlive(this);
    NSObject* delegate = m_delegate.get();
    if (delegate
        && class_respondsToSelector(object_getClass(delegate), sel::alertViewClickedButtonAtIndex.id()))
        send(delegate, sel::alertViewClickedButtonAtIndex, this, index);
    m_visible = false;
    removeFromSuperview();
    std::erase_if(shownAlerts(), [this](const RefPtr<UIAlertView>& alert) { return alert.get() == this; });
}

std::vector<UIAlertView*> UIAlertView::visibleAlerts()
{
    std::vector<UIAlertView*> alerts;
    for (auto& alert : shownAlerts())
        alerts.push_back(alert.get());
    return alerts;
}

// Title, message and buttons from the top of a box centred in the window;
// two buttons stand side by side, more stand one above the other.
void UIAlertView::layoutSubviewsImpl()
{
    CGFloat inner = boxWidth - 2 * boxPadding;
    CGFloat y = boxPadding;
    for (UILabel* label : { m_titleLabel.get(), m_messageLabel.get() }) {
        CGSize size = label->sizeThatFits({ inner, 0 });
        label->setFrame({ { boxPadding, y }, { inner, size.height } });
        y += size.height + labelGap;
    }
    y += buttonGap - labelGap;
    bool sideBySide = m_buttons.size() == 2;
    CGFloat buttonWidth = sideBySide ? (inner - buttonGap) / 2 : inner;
    for (std::size_t index = 0; index < m_buttons.size(); ++index) {
        CGFloat x = boxPadding + (sideBySide ? static_cast<CGFloat>(index) * (buttonWidth + buttonGap) : 0);
        m_buttons[index]->setFrame({ { x, y }, { buttonWidth, buttonHeight } });
        if (!sideBySide || index == m_buttons.size() - 1)
            y += buttonHeight + buttonGap;
    }
    CGFloat height = y + boxPadding - buttonGap;
    CGSize size = frame().size;
    m_box->setFrame({ { (size.width - boxWidth) / 2, (size.height - height) / 2 }, { boxWidth, height } });
}
