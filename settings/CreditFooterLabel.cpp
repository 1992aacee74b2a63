#include "settings/CreditFooterLabel.h"

#include "settings/PaneStyle.h"

namespace {
constexpr CGFloat footerFontSize = 15.0F;
} // namespace

RefPtr<UILabel> makeCreditFooterLabel()
{
    auto font = paneStyle::plainFont(footerFontSize);
    auto label = UILabel::make(CGRectMake(0, 0, 0, font->lineHeight()));
    label->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    label->setBackgroundColor(UIColor::clearColor().get());
    label->setTextAlignment(UITextAlignmentCenter);
    label->setFont(font);
    label->setTextColor(paneStyle::textColor());
    label->setShadowColor(UIColor::whiteColor());
    label->setShadowOffset(paneStyle::textShadowOffset);
    label->setText(creditFooterText);
    return label;
}
