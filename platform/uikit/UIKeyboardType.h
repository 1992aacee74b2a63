#pragma once

// The platform's keyboard types that a text input can ask for (its
// keyboardType); the keyboard decides what each one shows.
enum UIKeyboardType {
    UIKeyboardTypeDefault = 0,
    UIKeyboardTypeASCIICapable = 1,
    UIKeyboardTypeNumbersAndPunctuation = 2,
    UIKeyboardTypeURL = 3,
    UIKeyboardTypeNumberPad = 4,
    UIKeyboardTypePhonePad = 5,
    UIKeyboardTypeNamePhonePad = 6,
    UIKeyboardTypeEmailAddress = 7,
    UIKeyboardTypeDecimalPad = 8,
    UIKeyboardTypeTwitter = 9,
};

// Added to a keyboard type for the same keyboard offering only ASCII letters.
inline constexpr int keyboardTypeASCIIVariant = 256;

// The types a text input may ask for, in both variants; any other number is
// no keyboard type at all.
constexpr bool isKnownKeyboardType(int keyboardType)
{
    int plain
        = keyboardType >= keyboardTypeASCIIVariant ? keyboardType - keyboardTypeASCIIVariant : keyboardType;
    return plain >= UIKeyboardTypeDefault && plain <= UIKeyboardTypeTwitter;
}
