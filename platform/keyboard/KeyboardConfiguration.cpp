#include "platform/keyboard/KeyboardConfiguration.h"

#include <string>

KeyboardKind keyboardKindForType(int keyboardType)
{
    switch (keyboardType) {
    case UIKeyboardType::URL:
        return KeyboardKind::WebAddress;
    case UIKeyboardType::EmailAddress:
    case UIKeyboardType::EmailAddress + UIKeyboardType::ASCIIVariant:
        return KeyboardKind::EmailAddress;
    case UIKeyboardType::NumberPad:
        return KeyboardKind::NumberPad;
    case UIKeyboardType::PhonePad:
        return KeyboardKind::PhonePad;
    default:
        return KeyboardKind::Standard;
    }
}

bool keyboardTypeStartsWithNumbers(int keyboardType)
{
    return keyboardType == UIKeyboardType::NumbersAndPunctuation
        || keyboardType == UIKeyboardType::NumbersAndPunctuation + UIKeyboardType::ASCIIVariant;
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
