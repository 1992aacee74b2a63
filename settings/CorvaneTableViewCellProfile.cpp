#include "settings/CorvaneTableViewCellProfile.h"

#include "settings/CorvaneCreators.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/PrefsHelper.h"
#include "settings/SuperMessage.h"

#include <algorithm>
#include <cmath>

namespace {

RefPtr<UIImage> paneImage(const NSString& name)
{
    return send(send(PrefsHelper::staticClass(), sel::sharedHelper), sel::ownImageNamed, name);
}

RefPtr<UILabel> makeProfileLabel(RefPtr<UIFont> font)
{
    auto label = UILabel::make();
    label->setFont(font);
    label->setBackgroundColor(UIColor::clearColor().get());
    label->setHighlightedTextColor(UIColor::whiteColor());
    return label;
}

} // namespace

Class* CorvaneTableViewCellProfile::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("CorvaneTableViewCellProfile", UITableViewCell::staticClass());
        addMethod<&CorvaneTableViewCellProfile::initWithStyleReuseIdentifier>(
            created, sel::initWithStyleReuseIdentifier);
        addMethod<&CorvaneTableViewCellProfile::setNameAndHandle>(created, sel::setNameAndHandle);
        addMethod<&CorvaneTableViewCellProfile::layoutSubviews>(created, sel::layoutSubviews);
        return created;
    }();
    return cls;
}

RefPtr<CorvaneTableViewCellProfile> CorvaneTableViewCellProfile::make(int style, NSString reuseIdentifier)
{
    auto cell = makeRef<CorvaneTableViewCellProfile>();
    if (!send(cell.get(), sel::initWithStyleReuseIdentifier, style, std::move(reuseIdentifier)))
        return nullptr;
    return cell;
}

CorvaneTableViewCellProfile::CorvaneTableViewCellProfile()
    : UITableViewCell(staticClass())
{
}

// Always the subtitle style, whatever was asked for.
NSObject* CorvaneTableViewCellProfile::initWithStyleReuseIdentifier(int, NSString reuseIdentifier)
{
    if (!sendSuper(staticClass()->superclass(), this, sel::initWithStyleReuseIdentifier,
            UITableViewCellStyleSubtitle, std::move(reuseIdentifier)))
        return nullptr;

    auto profile = UIImageView::make();
    auto bird = UIImageView::make(paneImage("Twitter.png"), paneImage("TwitterHighlighted.png"));
    auto name = makeProfileLabel(UIFont::boldSystemFontOfSize(18));
    auto handle = makeProfileLabel(UIFont::systemFontOfSize(16));
    auto info = makeProfileLabel(UIFont::systemFontOfSize(14));
    info->setTextColor(UIColor::colorWithWhiteAlpha(0, 0.5F));
    info->setNumberOfLines(3);
    info->setLineBreakMode(UILineBreakModeWordWrap);

    for (UIView* view : { static_cast<UIView*>(profile.get()), static_cast<UIView*>(bird.get()),
             static_cast<UIView*>(name.get()), static_cast<UIView*>(handle.get()),
             static_cast<UIView*>(info.get()) }) {
        view->setFrame(CGRectZero);
        contentView()->addSubview(RefPtr(view));
    }
    m_profileView = profile.get();
    m_birdView = bird.get();
    m_nameLabel = name.get();
    m_handleLabel = handle.get();
    m_infoLabel = info.get();
    return this;
}

// Any name but the designer's gets the developer's picture; a name that is
// neither creator's gets no role line.
void CorvaneTableViewCellProfile::setNameAndHandle(NSString name, NSString handle)
{
    if (!hasAllParts())
        return;
    bool isDesigner = name == NSString(corvaneDesigner.displayName);
    NSString pictureKey = isDesigner ? corvaneDesigner.pictureKey : corvaneDeveloper.pictureKey;
    m_profileView->setImage(paneImage(NSString::stringWithFormat("%@.png", { pictureKey })));
    m_nameLabel->setText(name);
    m_handleLabel->setText(std::move(handle));
    if (isDesigner)
        m_infoLabel->setText(corvaneDesigner.roleLine);
    else if (name == NSString(corvaneDeveloper.displayName))
        m_infoLabel->setText(corvaneDeveloper.roleLine);
    else
        m_infoLabel->setText(NSString());
}

// The handle is measured in the name's font, so both labels are as tall.
void CorvaneTableViewCellProfile::layoutSubviews()
{
    sendSuper(staticClass()->superclass(), this, sel::layoutSubviews);
    if (!hasAllParts())
        return;
    CGSize content = contentView()->frame().size;

    m_profileView->setFrame(
        CGRectMake(pictureLeft, content.height * 0.5F - pictureSide / 2, pictureSide, pictureSide));
    m_birdView->setFrame(CGRectMake(content.width - birdWidth - birdRight,
        std::round(content.height * 0.5F - birdHeight / 2), birdWidth, birdHeight));

    CGRect picture = m_profileView->frame();
    CGSize name = sizeWithFont(m_nameLabel->text(), m_nameLabel->font());
    m_nameLabel->setFrame(
        CGRectMake(picture.minX() + pictureSide + pictureLeft + 1, picture.minY(), name.width, name.height));
    CGRect nameFrame = m_nameLabel->frame();
    CGSize handle = sizeWithFont(m_handleLabel->text(), m_nameLabel->font());
    CGFloat handleX = nameFrame.minX() + name.width + handleGap;
    // A handle that would run past the row's edge ends there, shortened,
    // instead of spilling over the border.
    CGFloat handleWidth = std::max<CGFloat>(0, std::min(handle.width, content.width - birdRight - handleX));
    m_handleLabel->setFrame(CGRectMake(handleX, nameFrame.minY(), handleWidth, handle.height));
    m_infoLabel->setFrame(CGRectMake(nameFrame.minX(), nameFrame.minY() + name.height + infoGap,
        m_birdView->frame().minX() - nameFrame.minX() - infoRightGap, infoHeight));
}
