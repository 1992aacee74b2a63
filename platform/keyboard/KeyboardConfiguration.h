#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/uikit/UIKeyboardType.h"

// The physical arrangement of the letters.
enum class KeyboardLetterLayout { QWERTY, QWERTZ, AZERTY };

// Which keyboard a text input's keyboard type brings up.
enum class KeyboardTreeKind { Standard, WebAddress, EmailAddress, NumberPad, PhonePad };

// Everything that decides which keyboard tree is shown.
struct KeyboardConfiguration {
    KeyboardTreeKind kind { KeyboardTreeKind::Standard };
    KeyboardLetterLayout letterLayout { KeyboardLetterLayout::QWERTY };
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
// The letter layout a locale's users expect: German-speaking locales QWERTZ,
// French outside Canada and Switzerland AZERTY, everything else QWERTY.
PLATFORM_EXPORT KeyboardLetterLayout letterLayoutForLocale(const NSString& localeIdentifier);
PLATFORM_EXPORT const char* letterLayoutName(KeyboardLetterLayout layout);
