#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGGeometry.h"

#include <cstdint>
#include <memory>
#include <variant>
#include <vector>

enum CTTextAlignment : std::uint8_t {
    kCTTextAlignmentLeft = 0,
    kCTTextAlignmentRight = 1,
    kCTTextAlignmentCenter = 2,
    kCTTextAlignmentJustified = 3,
    kCTTextAlignmentNatural = 4,
    // The older spellings of the same values.
    kCTLeftTextAlignment = kCTTextAlignmentLeft,
    kCTRightTextAlignment = kCTTextAlignmentRight,
    kCTCenterTextAlignment = kCTTextAlignmentCenter,
    kCTJustifiedTextAlignment = kCTTextAlignmentJustified,
    kCTNaturalTextAlignment = kCTTextAlignmentNatural,
};

enum CTParagraphStyleSpecifier : std::uint32_t {
    kCTParagraphStyleSpecifierAlignment = 0,
    kCTParagraphStyleSpecifierMaximumLineHeight = 8,
    kCTParagraphStyleSpecifierMinimumLineHeight = 9,
};

// One setting: the alignment takes a CTTextAlignment, the line heights a CGFloat.
struct CTParagraphStyleSetting {
    CTParagraphStyleSpecifier specifier;
    std::variant<CTTextAlignment, CGFloat> value;
};

// How the lines of a paragraph are set. A line height of 0 sets no bound;
// equal minimum and maximum give every line exactly that height.
struct PLATFORM_EXPORT CTParagraphStyle {
    CTTextAlignment alignment { kCTTextAlignmentNatural };
    CGFloat minimumLineHeight { 0 };
    CGFloat maximumLineHeight { 0 };
    // The settings as they were given, in order.
    std::vector<CTParagraphStyleSetting> settings;

    // The height of a line whose fonts alone would make it naturalHeight high.
    CGFloat lineHeightFor(CGFloat naturalHeight) const;
};
using CTParagraphStyleRef = std::shared_ptr<const CTParagraphStyle>;

// Applies the settings in order, a later one overriding an earlier one of the
// same kind. A setting whose value does not fit its kind, and a line height
// that is negative or not finite, is kept in `settings` but changes nothing.
PLATFORM_EXPORT CTParagraphStyleRef CTParagraphStyleCreate(
    const std::vector<CTParagraphStyleSetting>& settings);
