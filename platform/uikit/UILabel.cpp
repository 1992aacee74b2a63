#include "platform/uikit/UILabel.h"

#include "platform/graphics/CGContext.h"

#include <algorithm>
#include <limits>

namespace {
constexpr CGFloat defaultFontSize = 17;
constexpr CGFloat unlimited = std::numeric_limits<CGFloat>::max();
} // namespace

Class* UILabel::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UILabel", UIView::staticClass());
        addMethod<&UILabel::sizeThatFitsImpl>(created, sel::sizeThatFits);
        addMethod<&UILabel::drawRectImpl>(created, sel::drawRect);
        addMethod<&UILabel::isAccessibilityElementImpl>(created, sel::isAccessibilityElement);
        addMethod<&UILabel::accessibilityLabelImpl>(created, sel::accessibilityLabel);
        addMethod<&UILabel::accessibilityTraitsImpl>(created, sel::accessibilityTraits);
        return created;
    }();
    return cls;
}

UILabel::UILabel(CGRect frame, Class* cls)
    : UIView(frame, cls)
    , m_font(UIFont::systemFontOfSize(defaultFontSize))
    , m_textColor(UIColor::blackColor())
{
    // Labels are opaque white unless told otherwise, and let touches through.
    setBackgroundColor(UIColor::whiteColor().get());
    setUserInteractionEnabled(false);
}

void UILabel::setText(NSString text)
{
    m_text = std::move(text);
    setNeedsDisplay();
}

void UILabel::setFont(RefPtr<UIFont> font)
{
    m_font = font ? std::move(font) : UIFont::systemFontOfSize(defaultFontSize);
    setNeedsDisplay();
}

void UILabel::setTextColor(RefPtr<UIColor> color)
{
    m_textColor = color ? std::move(color) : UIColor::blackColor();
    setNeedsDisplay();
}

void UILabel::setHighlightedTextColor(RefPtr<UIColor> color)
{
    m_highlightedTextColor = std::move(color);
    setNeedsDisplay();
}

void UILabel::setShadowColor(RefPtr<UIColor> color)
{
    m_shadowColor = std::move(color);
    setNeedsDisplay();
}

void UILabel::setShadowOffset(CGSize offset)
{
    m_shadowOffset = offset;
    setNeedsDisplay();
}

void UILabel::setTextAlignment(UITextAlignment alignment)
{
    m_textAlignment = alignment;
    setNeedsDisplay();
}

void UILabel::setNumberOfLines(int lines)
{
    m_numberOfLines = std::max(lines, 0);
    setNeedsDisplay();
}

void UILabel::setLineBreakMode(UILineBreakMode mode)
{
    m_lineBreakMode = mode;
    setNeedsDisplay();
}

void UILabel::setHighlighted(bool highlighted)
{
    if (m_highlighted == highlighted)
        return;
    m_highlighted = highlighted;
    setNeedsDisplay();
}

void UILabel::setEnabled(bool enabled)
{
    m_enabled = enabled;
    setNeedsDisplay();
}

// One line is never wrapped; more lines wrap to the width. Either way only
// the lines numberOfLines allows are measured.
CGSize UILabel::textSizeWithin(CGSize size) const
{
    if (m_text.isNil() || m_text.isEmpty())
        return { 0, 0 };
    CGFloat maximumHeight
        = m_numberOfLines > 0 ? m_font->lineHeight() * static_cast<CGFloat>(m_numberOfLines) : unlimited;
    CGSize limit { m_numberOfLines == 1 ? unlimited : size.width, std::min(maximumHeight, size.height) };
    CGSize text = sizeWithFontConstrainedToSizeLineBreakMode(m_text, m_font.get(), limit, m_lineBreakMode);
    return { std::min(text.width, size.width), text.height };
}

CGRect UILabel::textRectForBounds(CGRect bounds) const
{
    CGSize text = textSizeWithin({ bounds.width(), unlimited });
    CGFloat height = std::min(text.height, bounds.height());
    return { { bounds.minX(), bounds.minY() + std::max<CGFloat>(0, (bounds.height() - height) / 2) },
        { bounds.width(), height } };
}

CGSize UILabel::intrinsicContentSize() const
{
    return textSizeWithin({ unlimited, unlimited });
}

CGSize UILabel::sizeThatFitsImpl(CGSize size)
{
    // A zero width means no limit, as when a label is sized before it is placed.
    CGFloat width = size.width > 0 ? size.width : unlimited;
    return textSizeWithin({ m_numberOfLines == 1 ? unlimited : width, unlimited });
}

void UILabel::drawRectImpl(CGRect rect)
{
    if (m_text.isNil() || m_text.isEmpty())
        return;
    CGContextRef context = UIGraphicsGetCurrentContext();
    UIColor* color
        = m_highlighted && m_highlightedTextColor ? m_highlightedTextColor.get() : m_textColor.get();
    if (m_shadowColor && !m_highlighted)
        CGContextSetShadowWithColor(context, m_shadowOffset, 0, m_shadowColor->CGColor());
    CGColor fill = color->CGColor();
    if (!m_enabled)
        fill.alpha *= 0.5F;
    CGContextSetFillColorWithColor(context, fill);
    drawInRectWithFontLineBreakModeAlignment(
        m_text, textRectForBounds(rect), m_font.get(), m_lineBreakMode, m_textAlignment);
}
