#include "platform/graphics/CTParagraphStyle.h"

#include <algorithm>
#include <cmath>

CGFloat CTParagraphStyle::lineHeightFor(CGFloat naturalHeight) const
{
    CGFloat height = naturalHeight;
    if (minimumLineHeight > 0)
        height = std::max(height, minimumLineHeight);
    if (maximumLineHeight > 0)
        height = std::min(height, maximumLineHeight);
    return height;
}

namespace {

void apply(CTParagraphStyle& style, const CTParagraphStyleSetting& setting)
{
    const auto* alignment = std::get_if<CTTextAlignment>(&setting.value);
    const auto* length = std::get_if<CGFloat>(&setting.value);
    bool usableLength = length && *length >= 0 && std::isfinite(*length);
    switch (setting.specifier) {
    case kCTParagraphStyleSpecifierAlignment:
        if (alignment && *alignment <= kCTTextAlignmentNatural)
            style.alignment = *alignment;
        break;
    case kCTParagraphStyleSpecifierMinimumLineHeight:
        if (usableLength)
            style.minimumLineHeight = *length;
        break;
    case kCTParagraphStyleSpecifierMaximumLineHeight:
        if (usableLength)
            style.maximumLineHeight = *length;
        break;
    }
}

} // namespace

CTParagraphStyleRef CTParagraphStyleCreate(const std::vector<CTParagraphStyleSetting>& settings)
{
    auto style = std::make_shared<CTParagraphStyle>();
    style->settings = settings;
    for (const CTParagraphStyleSetting& setting : settings)
        apply(*style, setting);
    return style;
}
