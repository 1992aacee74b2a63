#include "settings/CorvaneSettingButton.h"

#include "platform/foundation/Dispatch.h"
#include "platform/graphics/CGContext.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/PaneStyle.h"
#include "settings/PrefsHelper.h"

Class* CorvaneSettingButton::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("CorvaneSettingButton", UIButton::staticClass());
        addMethod<&CorvaneSettingButton::initWithKeyFirstOptionSecondOptionChosenOption>(
            created, sel::initWithKeyFirstOptionSecondOptionChosenOption);
        addMethod<&CorvaneSettingButton::width>(created, sel::width);
        addMethod<&CorvaneSettingButton::layoutSubviews>(created, sel::layoutSubviews);
        addMethod<&CorvaneSettingButton::drawRect>(created, sel::drawRect);
        addMethod<&CorvaneSettingButton::touchDown>(created, sel::settingButtonTouchDown);
        addMethod<&CorvaneSettingButton::touchUp>(created, sel::settingButtonTouchUp);
        addMethod<&CorvaneSettingButton::hideOverlay>(created, sel::hideOverlay);
        addMethod<&CorvaneSettingButton::accessibilityLabel>(created, sel::accessibilityLabel);
        return created;
    }();
    return cls;
}

Ref<CorvaneSettingButton> CorvaneSettingButton::make(
    NSString key, NSString firstOption, NSString secondOption, int chosen)
{
    auto button = makeRef<CorvaneSettingButton>();
    send(button.get(), sel::initWithKeyFirstOptionSecondOptionChosenOption, std::move(key),
        std::move(firstOption), std::move(secondOption), chosen);
    return button;
}

Ref<CorvaneSettingButton> CorvaneSettingButton::make(const contract::Setting& setting)
{
    PrefsHelper* store = send(PrefsHelper::staticClass(), sel::sharedHelper);
    int stored = send(store, sel::preferenceObjectForKey, NSString(setting.key)).intValue();
    return make(setting.key, setting.optionWords[0], setting.optionWords[1], setting.readChoice(stored));
}

CorvaneSettingButton::CorvaneSettingButton()
    : UIButton(CGRectZero, staticClass())
{
}

NSObject* CorvaneSettingButton::initWithKeyFirstOptionSecondOptionChosenOption(
    NSString key, NSString firstOption, NSString secondOption, int chosenOption)
{
    m_key = std::move(key);
    m_firstOption = std::move(firstOption);
    m_secondOption = std::move(secondOption);
    m_currentIndex = chosenOption;

    setBackgroundColor(UIColor::clearColor().get());

    auto overlay = UIView::make();
    overlay->layer().setCornerRadius(overlayCornerRadius);
    overlay->setBackgroundColor(UIColor::colorWithWhiteAlpha(0, 0.3F).get());
    overlay->setHidden(true);
    addSubview(overlay);
    m_overlay = overlay.get();

    addTargetActionForControlEvents(this, sel::settingButtonTouchDown, UIControlEventTouchDown);
    addTargetActionForControlEvents(this, sel::settingButtonTouchUp, UIControlEventTouchUpInside);
    addTargetActionForControlEvents(this, sel::hideOverlay,
        UIControlEventTouchDragOutside | UIControlEventTouchDragExit | UIControlEventTouchUpOutside
            | UIControlEventTouchCancel);
    return this;
}

CGSize CorvaneSettingButton::shownTextSize() const
{
    auto font = paneStyle::boldFont(optionFontSize);
    return sizeWithFont(shownOption(), font.get());
}

CGFloat CorvaneSettingButton::width()
{
    return shownTextSize().width + horizontalMargin;
}

void CorvaneSettingButton::layoutSubviews()
{
    CGSize size = frame().size;
    CGSize text = shownTextSize();
    send(m_overlay, sel::setFrame,
        CGRectMake((size.width - text.width) / 2 - overlayInset, (size.height - text.height) / 2,
            size.width - 2 * overlayInset, text.height));
}

void CorvaneSettingButton::drawRect(CGRect)
{
    auto font = paneStyle::boldFont(optionFontSize);
    auto color = paneStyle::textColor();
    CGSize size = frame().size;
    CGSize text = sizeWithFont(shownOption(), font.get());
    CGFloat x = (size.width - text.width) / 2;
    CGFloat y = (size.height - text.height) / 2;

    CGContextRef context = UIGraphicsGetCurrentContext();
    color->setFill();
    CGContextSetShadowWithColor(context, paneStyle::textShadowOffset, 0, UIColor::whiteColor()->CGColor());
    drawInRectWithFontLineBreakModeAlignment(shownOption(), CGRectMake(x, y, text.width, text.height),
        font.get(), UILineBreakModeWordWrap, UITextAlignmentCenter);
    CGContextFillRect(
        context, CGRectMake(x, y + text.height - underlineRaise, text.width, underlineThickness));
}

void CorvaneSettingButton::touchDown()
{
    setOverlayHidden(false);
}

void CorvaneSettingButton::touchUp()
{
    setOverlayHidden(false);
    RefPtr<CorvaneSettingButton> heldUntilHidden(this);
    dispatch_after(dispatch_time(DISPATCH_TIME_NOW, overlayLingerNanoseconds), dispatch_get_main_queue(),
        [heldUntilHidden] { send(heldUntilHidden.get(), sel::hideOverlay); });

    int shownBefore = m_currentIndex;
    m_currentIndex = m_currentIndex == 1 ? 2 : 1;
    PrefsHelper* store = send(PrefsHelper::staticClass(), sel::sharedHelper);
    send(store, sel::setPreferenceObjectForKey, Value(m_currentIndex), m_key);
    send(store, sel::savePreferences);
    // A save that failed puts the old value back in the store; the button
    // then goes on showing what the file holds, not a change that was lost.
    if (send(store, sel::preferenceObjectForKey, m_key) != Value(m_currentIndex))
        m_currentIndex = shownBefore;

    send(this, sel::setNeedsDisplay);
    send(this, sel::setNeedsLayout);
    send(m_delegate, sel::setNeedsLayout);
}

// The overlay is held by the subview list; one taken away is simply not shown.
void CorvaneSettingButton::setOverlayHidden(bool hidden)
{
    if (UIView* overlay = m_overlay.get())
        overlay->setHidden(hidden);
}

void CorvaneSettingButton::hideOverlay()
{
    setOverlayHidden(true);
}
