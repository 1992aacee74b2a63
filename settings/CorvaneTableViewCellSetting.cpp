#include "settings/CorvaneTableViewCellSetting.h"

#include "contracts/CorvaneContract.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneSettingButton.h"
#include "settings/PaneStyle.h"
#include "settings/SuperMessage.h"

Class* CorvaneTableViewCellSetting::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("CorvaneTableViewCellSetting", UITableViewCell::staticClass());
        addMethod<&CorvaneTableViewCellSetting::initWithStyleReuseIdentifier>(
            created, sel::initWithStyleReuseIdentifier);
        addMethod<&CorvaneTableViewCellSetting::createLabel>(created, sel::createLabel);
        addMethod<&CorvaneTableViewCellSetting::layoutSubviews>(created, sel::layoutSubviews);
        return created;
    }();
    return cls;
}

RefPtr<CorvaneTableViewCellSetting> CorvaneTableViewCellSetting::make(int style, NSString reuseIdentifier)
{
    auto cell = makeRef<CorvaneTableViewCellSetting>();
    if (!send(cell.get(), sel::initWithStyleReuseIdentifier, style, std::move(reuseIdentifier)))
        return nullptr;
    return cell;
}

CorvaneTableViewCellSetting::CorvaneTableViewCellSetting()
    : UITableViewCell(staticClass())
{
}

// The style asked for is ignored: the sentence is always a default cell.
NSObject* CorvaneTableViewCellSetting::initWithStyleReuseIdentifier(int, NSString reuseIdentifier)
{
    if (!sendSuper(staticClass()->superclass(), this, sel::initWithStyleReuseIdentifier,
            UITableViewCellStyleDefault, std::move(reuseIdentifier)))
        return nullptr;

    auto background = UIView::make();
    background->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
    background->setBackgroundColor(UIColor::clearColor().get());
    setBackgroundView(background);
    setSelectionStyle(UITableViewCellSelectionStyleNone);

    auto gestureButton = CorvaneSettingButton::make(contract::gestureSetting);
    gestureButton->setDelegate(this);
    auto typeButton = CorvaneSettingButton::make(contract::typeSetting);
    typeButton->setDelegate(this);

    RefPtr<UILabel> firstLabel = send(this, sel::createLabel, NSString("on a key on the keyboard to"));
    RefPtr<UILabel> secondLabel = send(this, sel::createLabel, NSString("input its"));
    RefPtr<UILabel> thirdLabel = send(this, sel::createLabel, NSString("."));

    for (UIView* view : { static_cast<UIView*>(gestureButton.get()), static_cast<UIView*>(typeButton.get()),
             static_cast<UIView*>(firstLabel.get()), static_cast<UIView*>(secondLabel.get()),
             static_cast<UIView*>(thirdLabel.get()) })
        contentView()->addSubview(RefPtr(view));
    m_gestureButton = gestureButton.get();
    m_typeButton = typeButton.get();
    m_firstLabel = firstLabel.get();
    m_secondLabel = secondLabel.get();
    m_thirdLabel = thirdLabel.get();
    return this;
}

RefPtr<UILabel> CorvaneTableViewCellSetting::createLabel(NSString text)
{
    auto label = UILabel::make();
    label->setText(std::move(text));
    label->setFont(paneStyle::plainFont(labelFontSize));
    label->setTextColor(paneStyle::textColor());
    label->setShadowColor(UIColor::whiteColor());
    label->setShadowOffset(paneStyle::textShadowOffset);
    label->setBackgroundColor(UIColor::clearColor().get());
    return label;
}

CGFloat CorvaneTableViewCellSetting::singleLineWidth(UILabel* label)
{
    return sizeWithFont(label->text(), label->font()).width;
}

// Line 1 is centred as a whole; line 2 is centred on its label and button,
// and the full stop hangs to the right of that pair. Fractions are kept.
void CorvaneTableViewCellSetting::layoutSubviews()
{
    sendSuper(staticClass()->superclass(), this, sel::layoutSubviews);
    // A sentence that lost a part has nothing left to place.
    if (!m_gestureButton || !m_typeButton || !m_firstLabel || !m_secondLabel || !m_thirdLabel)
        return;

    CGFloat width = contentView()->frame().width();
    CGFloat gestureWidth = send(m_gestureButton, sel::width);
    CGFloat typeWidth = send(m_typeButton, sel::width);
    CGFloat firstWidth = singleLineWidth(m_firstLabel.get());
    CGFloat secondWidth = singleLineWidth(m_secondLabel.get());
    CGFloat thirdWidth = singleLineWidth(m_thirdLabel.get());

    CGFloat gestureX = (width - gestureWidth - firstWidth) / 2;
    m_gestureButton->setFrame(CGRectMake(gestureX, 0, gestureWidth, lineHeight));
    m_firstLabel->setFrame(
        CGRectMake(m_gestureButton->frame().minX() + gestureWidth, 0, firstWidth, lineHeight));
    CGFloat secondX = (width - secondWidth - typeWidth) / 2;
    m_secondLabel->setFrame(CGRectMake(secondX, lineHeight, secondWidth, lineHeight));
    m_typeButton->setFrame(
        CGRectMake(m_secondLabel->frame().minX() + secondWidth, lineHeight, typeWidth, lineHeight));
    m_thirdLabel->setFrame(
        CGRectMake(m_typeButton->frame().minX() + typeWidth, lineHeight, thirdWidth, lineHeight));
}
