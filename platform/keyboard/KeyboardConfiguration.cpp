#include "platform/keyboard/KeyboardConfiguration.h"

KeyboardTreeKind keyboardTreeKindForType(int keyboardType)
{
    switch (keyboardType) {
    case UIKeyboardTypeURL:
    case UIKeyboardTypeURL + keyboardTypeASCIIVariant:
        return KeyboardTreeKind::WebAddress;
    case UIKeyboardTypeEmailAddress:
    case UIKeyboardTypeEmailAddress + keyboardTypeASCIIVariant:
        return KeyboardTreeKind::EmailAddress;
    case UIKeyboardTypeNumberPad:
        return KeyboardTreeKind::NumberPad;
    case UIKeyboardTypePhonePad:
        return KeyboardTreeKind::PhonePad;
    default:
        return KeyboardTreeKind::Standard;
    }
}

bool keyboardTypeStartsWithNumbers(int keyboardType)
{
    return keyboardType == UIKeyboardTypeNumbersAndPunctuation
        || keyboardType == UIKeyboardTypeNumbersAndPunctuation + keyboardTypeASCIIVariant;
}
