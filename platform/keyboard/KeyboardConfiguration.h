#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/KeyboardLetterLayout.h"
#include "platform/uikit/UIKeyboardType.h"

// Which keyboard a text input's keyboard type brings up.
enum class KeyboardTreeKind { Standard, WebAddress, EmailAddress, NumberPad, PhonePad };

// Everything that decides which keyboard tree is shown.
struct KeyboardConfiguration {
    KeyboardTreeKind kind { KeyboardTreeKind::Standard };
    // A row of the letter-layout table.
    const KeyboardLetterLayout* letterLayout { &defaultLetterLayout() };
    bool landscape { false };
    // Locales without a region have no currency of their own; their numbers
    // keyplanes carry other symbols where the currency keys would be.
    bool withCurrencyKeys { true };

    friend bool operator==(const KeyboardConfiguration&, const KeyboardConfiguration&) = default;
};

// The keyboard a type shows, its ASCII variant the same one. Unknown types
// show the standard keyboard.
PLATFORM_EXPORT KeyboardTreeKind keyboardTreeKindForType(int keyboardType);
// Whether a type opens on the numbers keyplane.
PLATFORM_EXPORT bool keyboardTypeStartsWithNumbers(int keyboardType);
