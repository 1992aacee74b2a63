#include "platform/keyboard/KeyboardConfiguration.h"

#include <string>

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

KeyboardLetterLayout letterLayoutForLocale(const NSString& localeIdentifier)
{
    const std::string& identifier = localeIdentifier.utf8();
    std::string language = identifier.substr(0, identifier.find_first_of("_-"));
    std::string region;
    if (auto separator = identifier.find_first_of("_-"); separator != std::string::npos)
        region = identifier.substr(separator + 1, 2);
    if (language == "de" || (language == "fr" && region == "CH"))
        return KeyboardLetterLayout::QWERTZ;
    if (language == "fr" && region != "CA")
        return KeyboardLetterLayout::AZERTY;
    return KeyboardLetterLayout::QWERTY;
}

const char* letterLayoutName(KeyboardLetterLayout layout)
{
    switch (layout) {
    case KeyboardLetterLayout::QWERTZ:
        return "QWERTZ";
    case KeyboardLetterLayout::AZERTY:
        return "AZERTY";
    case KeyboardLetterLayout::QWERTY:
        break;
    }
    return "QWERTY";
}
