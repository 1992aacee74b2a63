#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/CurrencySigns.h"
#include "platform/keyboard/KeyboardConfiguration.h"
#include "platform/keyboard/UIKBTree.h"

// Entries of a keyboard node's properties that describe its geometry.
namespace UIKBKeyboardProperty {
inline constexpr const char* landscape = "KBlandscape";
inline constexpr const char* popupHeadWidth = "KBpopupHeadWidth";
inline constexpr const char* popupHeadHeight = "KBpopupHeadHeight";
inline constexpr const char* cornerRadius = "KBcornerRadius";
} // namespace UIKBKeyboardProperty

// Builds a keyboard tree from the layout data built into the library: the
// letters keyplanes of the letter layout and the numbers keyplanes, or a pad,
// with every key's frames laid out for the orientation, and the currency keys
// carrying the given signs.
PLATFORM_EXPORT RefPtr<UIKBTree> buildKeyboardTree(
    const KeyboardConfiguration& configuration, const CurrencySigns& currency);

// The size of the keyboard in an orientation.
PLATFORM_EXPORT CGSize keyboardSize(bool landscape);
