#include "keyboard/AlternateLookup.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"

#include <optional>

namespace {

// The display string of the first key of that name on the keyplane; empty
// when there is no such key or it has no display string.
NSString currencySign(NSObject* keyplane, const char* keyName)
{
    RefPtr<NSMutableArray> keys = send(keyplane, sel::keysByKeyName, NSString(keyName));
    NSString sign = nodeProperty(elementAt(keys.get(), 0).object(), entry::displayString).string();
    return sign.isNil() ? NSString("") : sign;
}

void setCurrencyEntries(AlternateTable& table, const NSString& primary, const NSString (&alternates)[3])
{
    table.setValueForKey("j", primary);
    table.setValueForKey("J", alternates[0]);
    table.setValueForKey("K", alternates[1]);
    table.setValueForKey("L", alternates[2]);
}

std::optional<NSString> tableEntry(const AlternateTable& table, const NSString& key)
{
    NSString value = table.valueForKey(key.utf8());
    if (value.isNil())
        return std::nullopt;
    return value;
}

// Any other value is looked up as QWERTY, the first layout.
const AlternateTable& letterTable(LetterLayout layout)
{
    for (const PhysicalLayout& physical : physicalLayouts()) {
        if (physical.layout == layout)
            return *physical.letterTable;
    }
    return *physicalLayouts().front().letterTable;
}

enum class PositionalResult { NotFound, SameAsKey, Found };

// The represented string of the key at the same position on the
// shift-alternate keyplane.
PositionalResult lookUpByPosition(NSObject* key, NSObject* keyplane, NSObject* shiftAlternateKeyplane,
    const NSString& represented, NSString& result)
{
    NSMutableArray* keys = send(keyplane, sel::keys);
    std::size_t position = keys ? keys->indexOfObject(Value(RefPtr<NSObject>(key))) : NSNotFound;
    if (position == NSNotFound)
        return PositionalResult::NotFound;
    NSMutableArray* shiftedKeys = send(shiftAlternateKeyplane, sel::keys);
    if (position >= countOf(shiftedKeys))
        return PositionalResult::NotFound;
    result = nodeProperty(elementAt(shiftedKeys, position).object(), entry::representedString).string();
    if (result.isNil())
        return PositionalResult::NotFound;
    return result.isEqualToString(represented) ? PositionalResult::SameAsKey : PositionalResult::Found;
}

} // namespace

void fillCurrencySigns(NSObject* layoutController)
{
    NSObject* numbers = send(layoutController, sel::keyplaneNamed, NSString("Numbers-And-Punctuation"));
    NSObject* numbersAlternate
        = send(layoutController, sel::keyplaneNamed, NSString("Numbers-And-Punctuation-Alternate"));
    send(layoutController, sel::setCurrencyKeysForCurrentLocaleOnKeyplane, numbers);
    send(layoutController, sel::setCurrencyKeysForCurrentLocaleOnKeyplane, numbersAlternate);

    NSString primary = currencySign(numbers, "Primary-Currency-Sign");
    const NSString alternates[3] = {
        currencySign(numbersAlternate, "Alternate-Currency-Sign-1"),
        currencySign(numbersAlternate, "Alternate-Currency-Sign-2"),
        currencySign(numbersAlternate, "Alternate-Currency-Sign-3"),
    };
    for (const PhysicalLayout& physical : physicalLayouts())
        setCurrencyEntries(*physical.letterTable, primary, alternates);

    if (primary.length() > 0)
        extension.gCurrencyFilled = true;
}

NSString lookupAlternateString(NSObject* key, NSObject* keyplane, NSObject* shiftAlternateKeyplane,
    const NSString& represented, bool lettersKeyplane, bool shiftLockAlternate, KeyboardKind kind,
    LetterLayout layout)
{
    bool alternateMode = extension.gTypeMode == TypeMode::AlternateKey;
    bool email = kind == KeyboardKind::EmailAddress;

    // Letters are looked up in lower case, except where the string itself decides.
    bool keepCase = !lettersKeyplane || !alternateMode || shiftLockAlternate;
    NSString lookup = keepCase ? represented : represented.lowercaseString();

    // The override tables of the e-mail and web-address keyboards.
    if (email && alternateMode) {
        if (auto value = tableEntry(gEmailAlternateOverrides, lookup))
            return *value;
    }
    if (alternateMode && (kind == KeyboardKind::WebAddress || email)) {
        if (auto value = tableEntry(gWebAlternateOverrides, lookup))
            return *value;
    }
    if (email && !alternateMode) {
        if (auto value = tableEntry(gEmailShiftedOverrides, lookup))
            return *value;
    }

    // The key at the same position on the shift-alternate keyplane; a key
    // whose counterpart types the same string only keeps that as a fallback.
    NSString fallback;
    if (shiftAlternateKeyplane) {
        NSString positional;
        switch (lookUpByPosition(key, keyplane, shiftAlternateKeyplane, represented, positional)) {
        case PositionalResult::Found:
            return positional;
        case PositionalResult::SameAsKey:
            fallback = positional;
            break;
        case PositionalResult::NotFound:
            break;
        }
    } else if (alternateMode) {
        // The letter table of the physical layout.
        if (auto value = tableEntry(letterTable(layout), lookup))
            return *value;
    }

    // The punctuation variants are the last resort.
    if (auto value = tableEntry(gPunctuationVariants, lookup))
        return *value;
    return fallback;
}
