#pragma once

#include "platform/PlatformExport.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UIView.h"

// A view that shows an image scaled to its bounds, or its highlighted image
// while highlighted (when it has one). Touches pass through it.
class PLATFORM_EXPORT UIImageView : public UIView {
public:
    static Class* staticClass();
    static Ref<UIImageView> make(RefPtr<UIImage> image = nullptr, RefPtr<UIImage> highlightedImage = nullptr)
    {
        return makeRef<UIImageView>(std::move(image), std::move(highlightedImage));
    }

    // The frame starts at the image's size (zero without one).
    explicit UIImageView(RefPtr<UIImage> image = nullptr, RefPtr<UIImage> highlightedImage = nullptr,
        Class* cls = staticClass());
    UIImageView(CGRect frame, Class* cls);

    UIImage* image() const { return m_image.get(); }
    void setImage(RefPtr<UIImage> image);
    UIImage* highlightedImage() const { return m_highlightedImage.get(); }
    void setHighlightedImage(RefPtr<UIImage> image);
    bool isHighlighted() const { return m_highlighted; }
    void setHighlighted(bool highlighted);
    // The image on screen now.
    UIImage* displayedImage() const;

    CGSize sizeThatFitsImpl(CGSize size);
    void drawRectImpl(CGRect rect);

private:
    RefPtr<UIImage> m_image;
    RefPtr<UIImage> m_highlightedImage;
    bool m_highlighted { false };
};
