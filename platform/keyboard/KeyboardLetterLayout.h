#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"

#include <span>
#include <string>
#include <string_view>

// One arrangement of the letters keyplanes: the three physical layouts, and
// the keyboards of languages that add their own letters to one of them. The
// table of them (KeyboardLetterLayout.cpp) is the only list there is: a new
// layout is a row there and its file in platform/keyboard/layouts.
struct KeyboardLetterLayout {
    // Part of the keyboard tree's name ("Phone-Portrait-German-Alphabetic-
    // Keyboard"), and what the simulator's --layout and layout= call it, in
    // any letter case.
    std::string_view name;
    // The key set of both letters keyplanes. It names the physical layout the
    // language builds on (QWERTY, QWERTZ or AZERTY), which is all a reader of
    // the tree can tell the layouts apart by.
    std::string_view keySetName;
    // The locales whose users get it: "de_AT" for one region, "fr" for every
    // region of a language that no row names with its region.
    std::span<const std::string_view> locales;
    // The file of its letters keyplanes in platform/keyboard/layouts.
    std::string_view layoutFile;
};

// Every letter layout, the default (QWERTY) first.
PLATFORM_EXPORT std::span<const KeyboardLetterLayout> keyboardLetterLayouts();
PLATFORM_EXPORT const KeyboardLetterLayout& defaultLetterLayout();
// The layout a locale's users expect: the row naming the locale's language and
// region, else the row naming its language, else the default.
PLATFORM_EXPORT const KeyboardLetterLayout& letterLayoutForLocale(const NSString& localeIdentifier);
// The layout of that name in any letter case; nothing when there is none.
PLATFORM_EXPORT const KeyboardLetterLayout* findLetterLayout(std::string_view name);
// Every layout's name, in table order, for messages: "QWERTY|QWERTZ|…" or
// "QWERTY, QWERTZ, … or Norwegian".
PLATFORM_EXPORT std::string letterLayoutNames(std::string_view separator, std::string_view lastSeparator);
