#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/NSStringDrawing.h"
#include "platform/uikit/UIColor.h"
#include "platform/uikit/UIFont.h"
#include "platform/uikit/UIView.h"

// A view that draws a text: in its font and colour (the highlighted colour
// while highlighted), with an optional hard shadow, on as many lines as
// numberOfLines allows (0: any number), centred vertically in its bounds.
class PLATFORM_EXPORT UILabel : public UIView {
public:
    static Class* staticClass();
    static Ref<UILabel> make(CGRect frame = CGRectZero) { return makeRef<UILabel>(frame); }

    explicit UILabel(CGRect frame = CGRectZero, Class* cls = staticClass());

    const NSString& text() const { return m_text; }
    void setText(NSString text);
    UIFont* font() const { return m_font.get(); }
    // Nothing restores the default, the system font at 17.
    void setFont(RefPtr<UIFont> font);
    UIColor* textColor() const { return m_textColor.get(); }
    void setTextColor(RefPtr<UIColor> color);
    UIColor* highlightedTextColor() const { return m_highlightedTextColor.get(); }
    void setHighlightedTextColor(RefPtr<UIColor> color);
    UIColor* shadowColor() const { return m_shadowColor.get(); }
    void setShadowColor(RefPtr<UIColor> color);
    CGSize shadowOffset() const { return m_shadowOffset; }
    void setShadowOffset(CGSize offset);
    UITextAlignment textAlignment() const { return m_textAlignment; }
    void setTextAlignment(UITextAlignment alignment);
    int numberOfLines() const { return m_numberOfLines; }
    void setNumberOfLines(int lines);
    UILineBreakMode lineBreakMode() const { return m_lineBreakMode; }
    void setLineBreakMode(UILineBreakMode mode);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    bool isEnabled() const { return m_enabled; }
    void setEnabled(bool enabled);

    // Where the text goes within the bounds: as wide as the bounds, as tall
    // as the lines it takes (at most numberOfLines), centred vertically.
    CGRect textRectForBounds(CGRect bounds) const;
    // The text's own size: one line's size, or the lines it breaks into
    // within the given width.
    CGSize intrinsicContentSize() const;

    CGSize sizeThatFitsImpl(CGSize size);
    void drawRectImpl(CGRect rect);
    // A label is an element that reads its text, as static text.
    bool isAccessibilityElementImpl() { return explicitIsAccessibilityElement().value_or(true); }
    NSString accessibilityLabelImpl() { return explicitAccessibilityLabel().value_or(m_text); }
    UIAccessibilityTraits accessibilityTraitsImpl()
    {
        return explicitAccessibilityTraits().value_or(UIAccessibilityTraitStaticText);
    }

private:
    CGSize textSizeWithin(CGSize size) const;

    NSString m_text;
    RefPtr<UIFont> m_font;
    RefPtr<UIColor> m_textColor;
    RefPtr<UIColor> m_highlightedTextColor;
    RefPtr<UIColor> m_shadowColor;
    CGSize m_shadowOffset { 0, -1 };
    UITextAlignment m_textAlignment { UITextAlignmentLeft };
    int m_numberOfLines { 1 };
    UILineBreakMode m_lineBreakMode { UILineBreakModeTailTruncation };
    bool m_highlighted { false };
    bool m_enabled { true };
};
