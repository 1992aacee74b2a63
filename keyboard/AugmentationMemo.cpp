#include "keyboard/AugmentationMemo.h"

#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"

AugmentationConditions AugmentationConditions::current(std::size_t keyCount)
{
    return {
        .kind = extension.keyboardKind,
        .typeMode = extension.gTypeMode,
        .layout = extension.keyboardLayout,
        .shiftLockedAlternates = extension.gShiftLockedAlternates,
        .currencyFilled = extension.gCurrencyFilled,
        .localeChanges = extension.gLocaleChanges,
        .keyCount = keyCount,
    };
}

// One number, so that the memo is one entry: the small values in the low
// bits, the key count and the locale changes above them.
std::int64_t AugmentationConditions::stored() const
{
    auto bits = static_cast<std::uint64_t>(storedValue(kind))
        | static_cast<std::uint64_t>(storedValue(typeMode)) << 4
        | static_cast<std::uint64_t>(storedValue(layout)) << 8
        | static_cast<std::uint64_t>(shiftLockedAlternates) << 12
        | static_cast<std::uint64_t>(currencyFilled) << 13
        | static_cast<std::uint64_t>(keyCount & 0xffff) << 16
        | static_cast<std::uint64_t>(static_cast<std::uint32_t>(localeChanges)) << 32;
    return static_cast<std::int64_t>(bits);
}

bool keysAugmentedUnder(NSObject* keyplane, const AugmentationConditions& conditions)
{
    NSMutableDictionary* properties = send(keyplane, sel::properties);
    if (!extension.gKeyplaneMemo || !properties)
        return false;
    const Value& memo = properties->objectForKey(entry::augmentedUnder);
    return memo.isInteger() && memo.integer().value == conditions.stored();
}

void rememberAugmentation(NSObject* keyplane, const AugmentationConditions& conditions)
{
    if (extension.gKeyplaneMemo)
        setNodeProperty(keyplane, entry::augmentedUnder, Value(conditions.stored()));
}

void forgetAugmentation(NSObject* keyplane)
{
    if (NSMutableDictionary* properties = send(keyplane, sel::properties))
        properties->removeObjectForKey(entry::augmentedUnder);
}
