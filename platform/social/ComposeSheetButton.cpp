#include "platform/social/ComposeSheetButton.h"

namespace {

constexpr CGColor buttonColor = CGColor::rgb(0.33F, 0.42F, 0.53F);

} // namespace

RefPtr<UIButton> makeComposeSheetButton(const char* title, CGRect frame)
{
    auto button = UIButton::make(frame);
    button->setTitleForState(title, UIControlStateNormal);
    button->setBackgroundColor(buttonColor);
    button->layer().setCornerRadius(5);
    return button;
}
