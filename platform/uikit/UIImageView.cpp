#include "platform/uikit/UIImageView.h"

Class* UIImageView::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIImageView", UIView::staticClass());
        addMethod<&UIImageView::sizeThatFitsImpl>(created, sel::sizeThatFits);
        addMethod<&UIImageView::drawRectImpl>(created, sel::drawRect);
        return created;
    }();
    return cls;
}

UIImageView::UIImageView(RefPtr<UIImage> image, RefPtr<UIImage> highlightedImage, Class* cls)
    : UIImageView(CGRect { { 0, 0 }, image ? image->size() : CGSize {} }, cls)
{
    m_image = std::move(image);
    m_highlightedImage = std::move(highlightedImage);
}

UIImageView::UIImageView(CGRect frame, Class* cls)
    : UIView(frame, cls)
{
    setUserInteractionEnabled(false);
}

void UIImageView::setImage(RefPtr<UIImage> image)
{
    m_image = std::move(image);
    setNeedsDisplay();
}

void UIImageView::setHighlightedImage(RefPtr<UIImage> image)
{
    m_highlightedImage = std::move(image);
    setNeedsDisplay();
}

void UIImageView::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    setNeedsDisplay();
}

UIImage* UIImageView::displayedImage() const
{
    return m_highlighted && m_highlightedImage ? m_highlightedImage.get() : m_image.get();
}

CGSize UIImageView::sizeThatFitsImpl(CGSize)
{
    return m_image ? m_image->size() : CGSize {};
}

void UIImageView::drawRectImpl(CGRect rect)
{
    if (UIImage* shown = displayedImage())
        shown->drawInRect(rect);
}
