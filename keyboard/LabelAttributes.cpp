#include "keyboard/LabelAttributes.h"

namespace {

constexpr CGFloat singleLabelSize = 22;
constexpr CGFloat primaryLabelSize = 20;
constexpr CGFloat primaryLabelLandscapeSize = 18;
constexpr CGFloat alternateLabelSize = 11;
constexpr CGColor alternateLabelGrey = CGColor::white(0.5f, 1.0f);

const NSString& labelFontName()
{
    static const NSString name("Helvetica-Bold");
    return name;
}

} // namespace

std::optional<CTStringAttributes> makeLabelAttributes(
    int style, bool landscape, bool lightStyle, CGFloat lineHeight)
{
    CGFloat size = 0;
    CGColor mainLabelColour = lightStyle ? CGColor::white(1) : CGColor::white(0);
    CGColor colour = mainLabelColour;
    switch (style) {
    case singleLabel:
        size = singleLabelSize;
        break;
    case primaryLabel:
        size = landscape ? primaryLabelLandscapeSize : primaryLabelSize;
        break;
    case alternateLabel:
        size = alternateLabelSize;
        colour = alternateLabelGrey;
        break;
    default:
        return std::nullopt;
    }
    CTStringAttributes attributes;
    attributes.*kCTFontAttributeName = CTFontCreateWithName(labelFontName(), size);
    attributes.*kCTForegroundColorAttributeName = colour;
    attributes.*kCTParagraphStyleAttributeName = CTParagraphStyleCreate({
        { kCTParagraphStyleSpecifierAlignment, kCTTextAlignmentCenter },
        { kCTParagraphStyleSpecifierMinimumLineHeight, lineHeight },
        { kCTParagraphStyleSpecifierMaximumLineHeight, lineHeight },
    });
    return attributes;
}

// The 0.79, 0.82 and 0.37 products are formed in double precision and
// rounded once; half the height is taken in single precision.
CGFloat singleLabelLineHeight(CGFloat h, bool landscape)
{
    return static_cast<CGFloat>(static_cast<double>(h) * (landscape ? 0.82 : 0.79));
}

CGFloat primaryLabelLineHeight(CGFloat h)
{
    return h * 0.5f;
}

CGFloat alternateLabelLineHeight(CGFloat h)
{
    return static_cast<CGFloat>(static_cast<double>(h) * 0.37);
}
