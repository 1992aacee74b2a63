#include "platform/uikit/UIImage.h"

#include "platform/foundation/NSBundle.h"
#include "platform/graphics/CGContext.h"
#include "platform/uikit/UIScreen.h"

#include <array>
#include <string>

namespace {

constexpr std::string_view doubleScaleSuffix = "@2x";

bool endsWith(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() && text.substr(text.size() - ending.size()) == ending;
}

} // namespace

Class* UIImage::staticClass()
{
    static Class* cls = objc_allocateClass("UIImage", NSObject::staticClass());
    return cls;
}

UIImage::UIImage(CGImageRef image, CGFloat scale, NSString name)
    : NSObject(staticClass())
    , m_image(std::move(image))
    , m_scale(scale)
    , m_name(std::move(name))
{
}

RefPtr<UIImage> UIImage::imageWithContentsOfFile(const NSString& path)
{
    if (path.isNil())
        return nullptr;
    CGImageRef image = CGImageCreateWithPNGFile(path.utf8());
    if (!image)
        return nullptr;
    std::string_view file = path.utf8();
    if (auto slash = file.rfind('/'); slash != std::string_view::npos)
        file.remove_prefix(slash + 1);
    auto dot = file.rfind('.');
    std::string_view stem = dot == std::string_view::npos ? file : file.substr(0, dot);
    bool doubleScale = endsWith(stem, doubleScaleSuffix);
    if (doubleScale)
        stem.remove_suffix(doubleScaleSuffix.size());
    return makeRef<UIImage>(std::move(image), doubleScale ? 2 : 1, NSString(stem));
}

// The steps: split the name into stem and type ("png" when it has none),
// then try the file for the screen's scale first and the other one after.
RefPtr<UIImage> UIImage::imageNamedInBundle(const NSString& name, NSBundle* bundle)
{
    if (!bundle || name.isNil() || name.isEmpty())
        return nullptr;
    const std::string& text = name.utf8();
    auto dot = text.rfind('.');
    std::string stem = dot == std::string::npos ? text : text.substr(0, dot);
    std::string type = dot == std::string::npos ? std::string("png") : text.substr(dot + 1);
    std::string doubleStem = stem + std::string(doubleScaleSuffix);
    bool doubleScreen = UIScreen::mainScreen()->scale() >= 2;
    std::array<std::string, 2> candidates { doubleScreen ? doubleStem : stem,
        doubleScreen ? stem : doubleStem };
    for (const std::string& candidate : candidates) {
        NSString path = bundle->pathForResource(NSString(candidate), NSString(type));
        if (RefPtr<UIImage> image = imageWithContentsOfFile(path))
            return image;
    }
    return nullptr;
}

CGSize UIImage::size() const
{
    return { static_cast<CGFloat>(CGImageGetWidth(m_image)) / m_scale,
        static_cast<CGFloat>(CGImageGetHeight(m_image)) / m_scale };
}

void UIImage::drawInRect(CGRect rect) const
{
    CGContextDrawImage(UIGraphicsGetCurrentContext(), rect, m_image);
}

void UIImage::drawAtPoint(CGPoint point) const
{
    drawInRect({ point, size() });
}
