#include "settings/CorvaneTableViewCellTransparentSubtitle.h"

#include "settings/PaneStyle.h"
#include "settings/SuperMessage.h"

namespace {

void applyPaneLook(UILabel* label, CGFloat fontSize)
{
    label->setBackgroundColor(UIColor::clearColor().get());
    label->setTextAlignment(UITextAlignmentCenter);
    label->setTextColor(paneStyle::textColor());
    label->setFont(paneStyle::plainFont(fontSize));
    label->setShadowColor(UIColor::whiteColor());
    label->setShadowOffset(paneStyle::textShadowOffset);
}

} // namespace

Class* CorvaneTableViewCellTransparentSubtitle::staticClass()
{
    static Class* cls = [] {
        Class* created
            = objc_allocateClass("CorvaneTableViewCellTransparentSubtitle", UITableViewCell::staticClass());
        addMethod<&CorvaneTableViewCellTransparentSubtitle::initWithStyleReuseIdentifier>(
            created, sel::initWithStyleReuseIdentifier);
        addMethod<&CorvaneTableViewCellTransparentSubtitle::layoutSubviews>(created, sel::layoutSubviews);
        return created;
    }();
    return cls;
}

RefPtr<CorvaneTableViewCellTransparentSubtitle> CorvaneTableViewCellTransparentSubtitle::make(
    int style, NSString reuseIdentifier)
{
    auto cell = makeRef<CorvaneTableViewCellTransparentSubtitle>();
    if (!send(cell.get(), sel::initWithStyleReuseIdentifier, style, std::move(reuseIdentifier)))
        return nullptr;
    return cell;
}

CorvaneTableViewCellTransparentSubtitle::CorvaneTableViewCellTransparentSubtitle()
    : UITableViewCell(staticClass())
{
}

// Always the subtitle style, whatever was asked for, so there is a credit line.
NSObject* CorvaneTableViewCellTransparentSubtitle::initWithStyleReuseIdentifier(int, NSString reuseIdentifier)
{
    if (!sendSuper(staticClass()->superclass(), this, sel::initWithStyleReuseIdentifier,
            UITableViewCellStyleSubtitle, std::move(reuseIdentifier)))
        return nullptr;

    auto background = UIView::make(CGRectZero);
    background->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    background->setBackgroundColor(UIColor::clearColor().get());
    setBackgroundView(background);
    setSelectionStyle(UITableViewCellSelectionStyleNone);

    applyPaneLook(textLabel(), titleFontSize);
    UILabel* credit = detailTextLabel();
    credit->setText(creditText);
    credit->setBackgroundColor(UIColor::clearColor().get());
    credit->setTextAlignment(UITextAlignmentCenter);
    credit->setNumberOfLines(2);
    applyPaneLook(credit, creditFontSize);
    return this;
}

// Both labels keep the sizes the base layout gave them and are centred across
// the background view: the title flush with the top, the credit 14 below the
// middle.
void CorvaneTableViewCellTransparentSubtitle::layoutSubviews()
{
    sendSuper(staticClass()->superclass(), this, sel::layoutSubviews);
    CGRect background = backgroundView()->frame();
    UILabel* title = textLabel();
    CGSize titleSize = title->frame().size;
    title->setFrame(
        CGRectMake(background.width() * 0.5F - titleSize.width * 0.5F, 0, titleSize.width, titleSize.height));
    UILabel* credit = detailTextLabel();
    CGSize creditSize = credit->frame().size;
    credit->setFrame(CGRectMake(background.width() * 0.5F - creditSize.width * 0.5F,
        background.height() * 0.5F + creditDropBelowMiddle, creditSize.width, creditSize.height));
}
