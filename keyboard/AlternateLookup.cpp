#include "keyboard/AlternateLookup.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"
#include "keyboard/KeyplaneRows.h"

#include <iterator>
#include <optional>
#include <string_view>

namespace {

// The platform's names of the keys that carry the locale's currency signs,
// each with the letter-table entry the fill writes its sign under.
struct CurrencyKey {
    std::string_view name;
    std::string_view letterTableEntry;
};
constexpr CurrencyKey primaryCurrencyKey { "Primary-Currency-Sign", "j" };
constexpr CurrencyKey alternateCurrencyKeys[3] = {
    { "Alternate-Currency-Sign-1", "J" },
    { "Alternate-Currency-Sign-2", "K" },
    { "Alternate-Currency-Sign-3", "L" },
};

const CurrencyKey* currencyKeyNamed(std::string_view name)
{
    if (name == primaryCurrencyKey.name)
        return &primaryCurrencyKey;
    for (const CurrencyKey& currency : alternateCurrencyKeys) {
        if (name == currency.name)
            return &currency;
    }
    return nullptr;
}

// The display string of the first key of that name on the keyplane; empty
// when there is no such key or it has no display string.
NSString currencySign(NSObject* keyplane, const CurrencyKey& currency)
{
    RefPtr<NSMutableArray> keys = send(keyplane, sel::keysByKeyName, NSString(currency.name));
    NSString sign = nodeProperty(elementAt(keys.get(), 0).object(), entry::displayString).string();
    return sign.isNil() ? NSString("") : sign;
}

void setCurrencyEntries(AlternateTable& table, const NSString& primary, const NSString (&alternates)[3])
{
    table.setValueForKey(primaryCurrencyKey.letterTableEntry, primary);
    for (std::size_t index = 0; index < std::size(alternateCurrencyKeys); ++index)
        table.setValueForKey(alternateCurrencyKeys[index].letterTableEntry, alternates[index]);
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
PositionalResult lookUpByPosition(NSObject* key, NSObject* keyplane, const KeyplaneRows& shiftAlternateKeys,
    const NSString& represented, std::optional<std::size_t> knownPosition, NSString& result)
{
    std::size_t position = NSNotFound;
    if (knownPosition)
        position = *knownPosition;
    else if (NSMutableArray* keys = send(keyplane, sel::keys))
        position = keys->indexOfObject(Value(RefPtr<NSObject>(key)));
    if (position == NSNotFound)
        return PositionalResult::NotFound;
    NSMutableDictionary* counterpart = send(shiftAlternateKeys.keyAt(position), sel::properties);
    if (!counterpart)
        return PositionalResult::NotFound;
    result = counterpart->objectForKey(entry::representedString).string();
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

    NSString primary = currencySign(numbers, primaryCurrencyKey);
    const NSString alternates[3] = {
        currencySign(numbersAlternate, alternateCurrencyKeys[0]),
        currencySign(numbersAlternate, alternateCurrencyKeys[1]),
        currencySign(numbersAlternate, alternateCurrencyKeys[2]),
    };
    for (const PhysicalLayout& physical : physicalLayouts())
        setCurrencyEntries(*physical.letterTable, primary, alternates);

    if (primary.length() > 0)
        extension.gCurrencyFilled = true;
}

bool currencyKeysShowFilledSigns(const KeyplaneRows& keys)
{
    if (!extension.gCurrencyFilled)
        return false;
    bool allShown = true;
    keys.forEachKey([&allShown](NSObject* key) {
        const CurrencyKey* currency = allShown ? currencyKeyNamed(send(key, sel::name).utf8()) : nullptr;
        NSMutableDictionary* properties = currency ? send(key, sel::properties) : nullptr;
        if (!properties)
            return;
        // Every letter table holds the signs of the fill; QWERTY's stands for the three.
        NSString sign = gQwertyAlternates.valueForKey(currency->letterTableEntry);
        // A sign the fill did not find is one the keys cannot be known to show.
        allShown = !sign.isEmpty()
            && properties->objectForKey(entry::displayString).string().isEqualToString(sign)
            && properties->objectForKey(entry::representedString).string().isEqualToString(sign);
    });
    return allShown;
}

NSString lookupAlternateString(NSObject* key, NSObject* keyplane, const KeyplaneRows* shiftAlternateKeys,
    const NSString& represented, bool lettersKeyplane, bool shiftLockAlternate, KeyboardKind kind,
    LetterLayout layout, std::optional<std::size_t> position)
{
    bool alternateMode = extension.gTypeMode == TypeMode::AlternateKey;
    bool email = kind == KeyboardKind::EmailAddress;

    // Letters are looked up in lower case, except where the string itself decides.
    bool keepCase = !lettersKeyplane || !alternateMode || shiftLockAlternate;
    NSString lowered = keepCase ? NSString() : represented.lowercaseString();
    const NSString& lookup = keepCase ? represented : lowered;

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
    if (shiftAlternateKeys) {
        NSString positional;
        switch (lookUpByPosition(key, keyplane, *shiftAlternateKeys, represented, position, positional)) {
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
