#include "platform/uikit/UIButton.h"

#include <algorithm>

namespace {

// The entry for the state, else the normal state's, as the platform falls back.
template <typename Map> auto lookupForState(const Map& entries, unsigned state)
{
    for (unsigned candidate : { state, static_cast<unsigned>(UIControlStateNormal) }) {
        auto found = entries.find(candidate);
        if (found != entries.end())
            return found->second;
    }
    return typename Map::mapped_type {};
}

} // namespace

Class* UIButton::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIButton", UIControl::staticClass());
        addMethod<&UIButton::sizeThatFitsImpl>(created, sel::sizeThatFits);
        addMethod<&UIButton::layoutSubviewsImpl>(created, sel::layoutSubviews);
        addMethod<&UIButton::isAccessibilityElementImpl>(created, sel::isAccessibilityElement);
        addMethod<&UIButton::accessibilityLabelImpl>(created, sel::accessibilityLabel);
        addMethod<&UIButton::accessibilityTraitsImpl>(created, sel::accessibilityTraits);
        return created;
    }();
    return cls;
}

UIButton::UIButton(CGRect frame, Class* cls)
    : UIControl(frame, cls)
{
}

void UIButton::setImageForState(RefPtr<UIImage> image, unsigned state)
{
    m_images[state] = std::move(image);
    imageView();
    updateContent();
}

NSString UIButton::accessibilityLabelImpl()
{
    if (const std::optional<NSString>& label = explicitAccessibilityLabel())
        return *label;
    NSString title = currentTitle();
    if (!title.isNil() && !title.isEmpty())
        return title;
    UIImage* image = currentImage();
    return image && !image->name().isNil() ? image->name() : title;
}

UIImage* UIButton::imageForState(unsigned state) const
{
    return lookupForState(m_images, state).get();
}

void UIButton::setTitleForState(NSString title, unsigned state)
{
    m_titles[state] = std::move(title);
    titleLabel();
    updateContent();
}

NSString UIButton::titleForState(unsigned state) const
{
    return lookupForState(m_titles, state);
}

void UIButton::setTitleColorForState(RefPtr<UIColor> color, unsigned state)
{
    m_titleColors[state] = std::move(color);
    updateContent();
}

UIColor* UIButton::titleColorForState(unsigned state) const
{
    return lookupForState(m_titleColors, state).get();
}

UIImageView* UIButton::imageView()
{
    if (!m_imageView) {
        m_imageView = UIImageView::make();
        addSubview(m_imageView);
    }
    return m_imageView.get();
}

UILabel* UIButton::titleLabel()
{
    if (!m_titleLabel) {
        m_titleLabel = UILabel::make();
        m_titleLabel->setBackgroundColor(UIColor::clearColor().get());
        m_titleLabel->setTextColor(UIColor::whiteColor());
        m_titleLabel->setFont(UIFont::boldSystemFontOfSize(15));
        m_titleLabel->setTextAlignment(UITextAlignmentCenter);
        addSubview(m_titleLabel);
    }
    return m_titleLabel.get();
}

void UIButton::stateDidChange()
{
    UIControl::stateDidChange();
    updateContent();
}

void UIButton::updateContent()
{
    if (m_imageView)
        m_imageView->setImage(RefPtr(currentImage()));
    if (m_titleLabel) {
        m_titleLabel->setText(currentTitle());
        if (UIColor* color = titleColorForState(state()))
            m_titleLabel->setTextColor(RefPtr(color));
    }
    setNeedsLayout();
}

CGSize UIButton::titleSize() const
{
    return m_titleLabel ? m_titleLabel->intrinsicContentSize() : CGSize {};
}

CGSize UIButton::sizeThatFitsImpl(CGSize)
{
    CGSize image = currentImage() ? currentImage()->size() : CGSize {};
    CGSize title = titleSize();
    return { image.width + title.width, std::max(image.height, title.height) };
}

void UIButton::layoutSubviewsImpl()
{
    CGSize size = frame().size;
    CGSize image = currentImage() ? currentImage()->size() : CGSize {};
    CGSize title = titleSize();
    CGFloat x = (size.width - image.width - title.width) / 2;
    if (m_imageView)
        m_imageView->setFrame({ { x, (size.height - image.height) / 2 }, image });
    if (m_titleLabel)
        m_titleLabel->setFrame({ { x + image.width, (size.height - title.height) / 2 }, title });
}
