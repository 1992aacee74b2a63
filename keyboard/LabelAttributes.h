#pragma once

#include "platform/graphics/CTStringAttributes.h"

#include <optional>

// The three looks of a key cap label.
enum class LabelStyle : int {
    singleLabel = 1, // the main label drawn alone
    primaryLabel = 2, // the main label under an alternate label
    alternateLabel = 3, // the alternate label, small and grey
};

// The text attributes of one label style: "Helvetica-Bold" at the style's
// size and colour (white main labels in the light style), centred, every line
// exactly lineHeight high. Nothing for a value that is no style.
std::optional<CTStringAttributes> makeLabelAttributes(
    LabelStyle style, bool landscape, bool lightStyle, CGFloat lineHeight);

// The fixed line heights of the styles, from the reference height h.
CGFloat singleLabelLineHeight(CGFloat h, bool landscape);
CGFloat primaryLabelLineHeight(CGFloat h);
CGFloat alternateLabelLineHeight(CGFloat h);
