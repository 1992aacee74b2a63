#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIControl.h"
#include "platform/uikit/UIImageView.h"
#include "platform/uikit/UILabel.h"

#include <map>

// A control that shows an image and a title for its current state: the
// highlighted, disabled or selected one where set, else the normal one. The
// image and title sit side by side, centred in the bounds. A button with
// neither has no subviews of its own, so a subclass can draw itself.
class PLATFORM_EXPORT UIButton : public UIControl {
public:
    static Class* staticClass();
    static Ref<UIButton> make(CGRect frame = CGRectZero) { return makeRef<UIButton>(frame); }

    explicit UIButton(CGRect frame = CGRectZero, Class* cls = staticClass());

    void setImageForState(RefPtr<UIImage> image, unsigned state);
    UIImage* imageForState(unsigned state) const;
    void setTitleForState(NSString title, unsigned state);
    NSString titleForState(unsigned state) const;
    void setTitleColorForState(RefPtr<UIColor> color, unsigned state);
    UIColor* titleColorForState(unsigned state) const;

    UIImage* currentImage() const { return imageForState(state()); }
    NSString currentTitle() const { return titleForState(state()); }
    // Made on first use.
    UIImageView* imageView();
    UILabel* titleLabel();

    CGSize sizeThatFitsImpl(CGSize size);
    void layoutSubviewsImpl();
    // A button is an element that reads its current title, as a button; one
    // that shows only an image reads the image's name.
    bool isAccessibilityElementImpl() { return explicitIsAccessibilityElement().value_or(true); }
    NSString accessibilityLabelImpl();
    UIAccessibilityTraits accessibilityTraitsImpl()
    {
        return explicitAccessibilityTraits().value_or(UIAccessibilityTraitButton);
    }

protected:
    void stateDidChange() override;

private:
    CGSize titleSize() const;
    void updateContent();

    std::map<unsigned, RefPtr<UIImage>> m_images;
    std::map<unsigned, NSString> m_titles;
    std::map<unsigned, RefPtr<UIColor>> m_titleColors;
    RefPtr<UIImageView> m_imageView;
    RefPtr<UILabel> m_titleLabel;
};
