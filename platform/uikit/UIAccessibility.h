#pragma once

#include "platform/foundation/NSString.h"
#include "platform/runtime/Message.h"

#include <cstdint>

// What an element is to a screen reader, as bits that combine.
using UIAccessibilityTraits = std::uint64_t;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitNone = 0;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitButton = 1 << 0;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitImage = 1 << 2;
inline constexpr UIAccessibilityTraits UIAccessibilityTraitStaticText = 1 << 6;

// The accessibility messages every view answers. An accessibility element
// stands for itself and everything inside it: a reader speaks its label (and
// its value, a field's text) and does not look into its subviews. Views
// answer the platform's defaults unless told otherwise; subclasses that draw
// their own text override the label.
namespace sel {
inline constinit Selector<bool()> isAccessibilityElement("isAccessibilityElement");
inline constinit Selector<void(bool)> setIsAccessibilityElement("setIsAccessibilityElement:");
inline constinit Selector<NSString()> accessibilityLabel("accessibilityLabel");
inline constinit Selector<void(NSString)> setAccessibilityLabel("setAccessibilityLabel:");
inline constinit Selector<NSString()> accessibilityValue("accessibilityValue");
inline constinit Selector<UIAccessibilityTraits()> accessibilityTraits("accessibilityTraits");
inline constinit Selector<void(UIAccessibilityTraits)> setAccessibilityTraits("setAccessibilityTraits:");
} // namespace sel
