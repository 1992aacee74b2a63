#include "keyboard/LabelAttributes.h"

namespace {

constexpr CGFloat singleLabelSize = 22;
constexpr CGFloat primaryLabelSize = 20;
constexpr CGFloat primaryLabelLandscapeSize = 18;
constexpr CGFloat alternateLabelSize = 11;
constexpr CGColor alternateLabelGrey = CGColor::white(0.5f, 1.0f);

// The styles' fixed line heights, as parts of the reference height.
constexpr double singleLabelLineRatio = 0.79;
constexpr double singleLabelLandscapeLineRatio = 0.82;
constexpr CGFloat primaryLabelLineRatio = 0.5f;
constexpr double alternateLabelLineRatio = 0.37;

const NSString& labelFontName()
{
    static const NSString name("Helvetica-Bold");
    return name;
}

} // namespace

std::optional<CTStringAttributes> makeLabelAttributes(
    LabelStyle style, bool landscape, bool lightStyle, CGFloat lineHeight)
{
    CGFloat size = 0;
    CGColor mainLabelColour = lightStyle ? CGColor::white(1) : CGColor::white(0);
    CGColor colour = mainLabelColour;
    switch (style) {
    case LabelStyle::singleLabel:
        size = singleLabelSize;
        break;
    case LabelStyle::primaryLabel:
        size = landscape ? primaryLabelLandscapeSize : primaryLabelSize;
        break;
    case LabelStyle::alternateLabel:
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

// The single and alternate products are formed in double precision and
// rounded once; the primary one is taken in single precision.
CGFloat singleLabelLineHeight(CGFloat h, bool landscape)
{
    return static_cast<CGFloat>(
        static_cast<double>(h) * (landscape ? singleLabelLandscapeLineRatio : singleLabelLineRatio));
}

CGFloat primaryLabelLineHeight(CGFloat h)
{
    return h * primaryLabelLineRatio;
}

CGFloat alternateLabelLineHeight(CGFloat h)
{
    return static_cast<CGFloat>(static_cast<double>(h) * alternateLabelLineRatio);
}
