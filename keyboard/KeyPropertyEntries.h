#pragma once

#include <string_view>

// Entries of the keyboard's property dictionaries: the platform's own, which
// the extension only reads, and the ones the extension writes next to them.
namespace entry {

inline constexpr std::string_view representedString = "KBrepresentedString";
inline constexpr std::string_view displayString = "KBdisplayString";
inline constexpr std::string_view displayTypeHint = "KBdisplayTypeHint";
inline constexpr std::string_view popupBias = "popup-bias";

inline constexpr std::string_view representedStringNoAlt = "KBrepresentedStringNoAlt";
inline constexpr std::string_view representedStringAlt = "KBrepresentedStringAlt";
inline constexpr std::string_view representedStringAltShiftLocked = "KBrepresentedStringAltShiftLocked";

inline constexpr std::string_view processedKind = "CorvaneProcessed";
inline constexpr std::string_view processedTypeMode = "CorvaneKPProcessed";
inline constexpr std::string_view processedLayout = "CorvaneLayoutProcessed";
inline constexpr std::string_view enabledState = "CorvaneEnabledState";

} // namespace entry
