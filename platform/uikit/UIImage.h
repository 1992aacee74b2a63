#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/CGImage.h"
#include "platform/runtime/Message.h"

class NSBundle;

// A bitmap with a scale: its size is in points, its pixels are scale times
// as many. Loaded from PNG files.
class PLATFORM_EXPORT UIImage final : public NSObject {
public:
    static Class* staticClass();

    // The image "name" (".png" added when the name has no extension) from the
    // bundle's folder, or the main bundle's without one; on a 2x screen a
    // "name@2x.png" beside it is preferred. Nothing when neither exists or
    // the file is no PNG.
    static RefPtr<UIImage> imageNamedInBundle(const NSString& name, NSBundle* bundle);
    // Scale 1, or 2 for a file whose name ends in "@2x.png".
    static RefPtr<UIImage> imageWithContentsOfFile(const NSString& path);

    UIImage(CGImageRef image, CGFloat scale, NSString name = {});

    CGSize size() const;
    CGFloat scale() const { return m_scale; }
    const CGImageRef& CGImage() const { return m_image; }
    // The name of the file it was loaded from, without folder, scale suffix
    // or type ("Heart" for ".../Heart@2x.png"); nothing for an image made in
    // memory. Screen readers fall back on it.
    const NSString& name() const { return m_name; }

    // Scales the image into the rectangle of the current context.
    void drawInRect(CGRect rect) const;
    void drawAtPoint(CGPoint point) const;

private:
    CGImageRef m_image;
    CGFloat m_scale;
    NSString m_name;
};
