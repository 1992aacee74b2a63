#pragma once

#include "contracts/CorvaneContract.h"
#include "platform/runtime/WeakPtr.h"
#include "platform/uikit/UIButton.h"

#include <cstdint>

// A tappable, underlined option word of the setting sentence. Each tap
// switches to the other option, stores and saves the choice under the
// button's settings key, and asks the sentence to re-flow around the new
// width; when the save fails, the button goes back to the option the file
// holds. A dark rounded highlight covers the word while it is pressed.
class CorvaneSettingButton final : public UIButton {
public:
    static constexpr CGFloat optionFontSize = 17.0F;
    static constexpr CGFloat horizontalMargin = 8.0F;
    static constexpr CGFloat underlineThickness = 1.5F;
    static constexpr CGFloat underlineRaise = 3.5F;
    static constexpr CGFloat overlayCornerRadius = 3.0F;
    static constexpr CGFloat overlayInset = 2.0F;
    static constexpr std::int64_t overlayLingerNanoseconds = 100000000;

    static Class* staticClass();
    // Allocates the button and sends it initWithKey:firstOption:secondOption:chosenOption:.
    static Ref<CorvaneSettingButton> make(
        NSString key, NSString firstOption, NSString secondOption, int chosen);
    // The setting's button, showing the choice the shared store holds as
    // the keyboard reads it.
    static Ref<CorvaneSettingButton> make(const contract::Setting& setting);

    CorvaneSettingButton();

    NSObject* initWithKeyFirstOptionSecondOptionChosenOption(
        NSString key, NSString firstOption, NSString secondOption, int chosenOption);
    CGFloat width();
    void layoutSubviews();
    void drawRect(CGRect rect);
    void touchDown();
    void touchUp();
    void hideOverlay();
    // The button paints its option itself and has no title, so it names the
    // shown option to screen readers; it keeps the button's trait.
    NSString accessibilityLabel() const { return shownOption(); }

    UIView* delegate() const { return m_delegate.get(); }
    void setDelegate(UIView* delegate) { m_delegate = delegate; }
    const NSString& key() const { return m_key; }
    int currentIndex() const { return m_currentIndex; }
    // The option the button shows now.
    const NSString& shownOption() const { return m_currentIndex == 1 ? m_firstOption : m_secondOption; }
    UIView* overlay() const { return m_overlay.get(); }

private:
    CGSize shownTextSize() const;
    void setOverlayHidden(bool hidden);

    WeakPtr<UIView> m_delegate;
    NSString m_key;
    NSString m_firstOption;
    NSString m_secondOption;
    int m_currentIndex { 0 };
    // Held by the subview list.
    WeakPtr<UIView> m_overlay;
};
