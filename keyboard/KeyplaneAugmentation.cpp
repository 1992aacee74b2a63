#include "keyboard/KeyplaneAugmentation.h"

#include "keyboard/AlternateLookup.h"
#include "keyboard/AugmentationMemo.h"
#include "keyboard/DisplacedImplementations.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/GestureInput.h"
#include "keyboard/GestureTracking.h"
#include "keyboard/KeyEligibility.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"
#include "keyboard/KeyplaneDirectory.h"
#include "keyboard/KeyplaneRows.h"
#include "keyboard/LocaleChange.h"
#include "platform/uikit/UIKeyboardType.h"

#include <optional>

namespace {

// The markers say under which kind, mode and layout the key was processed
// last; the layout matters only on letters keyplanes.
bool isProcessedUnderCurrentConditions(const NSMutableDictionary& properties, bool lettersKeyplane)
{
    auto marker
        = [&properties](const DictionaryKey& entry) { return properties.objectForKey(entry).intValue(); };
    return marker(entry::processedKind) == static_cast<int>(storedValue(extension.keyboardKind))
        && marker(entry::processedTypeMode) == storedValue(extension.gTypeMode)
        && (!lettersKeyplane || marker(entry::processedLayout) == storedValue(extension.keyboardLayout));
}

// Empty results and results equal to the key's own string are no alternate.
void storeAlternate(NSMutableDictionary& properties, const DictionaryKey& alternateEntry,
    const NSString& alternate, const NSString& represented)
{
    if (!alternate.utf8().empty() && !alternate.isEqualToString(represented))
        properties.setObject(Value(alternate), alternateEntry);
    else
        properties.removeObjectForKey(alternateEntry);
}

struct KeyLoop {
    NSObject* layoutController;
    NSObject* keyplane;
    KeyplaneClassification classification;
    bool shiftAlternateWanted;
    // The shift-alternate keyplane's keys, once it is fetched and found.
    std::optional<KeyplaneRows> shiftAlternateKeys {};
    // No key was left with markers of other conditions.
    bool everyKeyProcessed { true };
    // Some key's strings or alternates were written, so its picture may differ.
    bool rewroteKeys { false };

    void processKey(NSObject* key, std::size_t position);
};

// The position is the key's among the keyplane's keys, where the alternate
// lookup finds its counterpart on the shift-alternate keyplane.
void KeyLoop::processKey(NSObject* key, std::size_t position)
{
    // Every read and write below is on the key's one property dictionary,
    // fetched once: this loop runs over every key on every switch. A key
    // without one has nothing to read or write.
    RefPtr<NSMutableDictionary> properties(send(key, sel::properties));

    // Ineligible keys, and keys already processed under the same conditions,
    // are passed over.
    if (!properties || !isEligibleKey(key, properties.get())
        || isProcessedUnderCurrentConditions(*properties, classification.letters))
        return;

    // A key that types nothing has no alternates; its markers stay.
    NSString represented = properties->objectForKey(entry::representedString).string();
    if (represented.isNil()) {
        everyKeyProcessed = false;
        // Such a key comes back on every switch; only a first visit takes anything away.
        rewroteKeys = rewroteKeys || !properties->objectForKey(entry::representedStringNoAlt).isNil()
            || !properties->objectForKey(entry::representedStringAlt).isNil();
        properties->removeObjectForKey(entry::representedStringNoAlt);
        properties->removeObjectForKey(entry::representedStringAlt);
        properties->removeObjectForKey(entry::representedStringAltShiftLocked);
        return;
    }

    rewroteKeys = true;
    // The key's own string, for the gesture and the pop-up to put back.
    properties->setObject(Value(represented), entry::representedStringNoAlt);

    // The shift-alternate keyplane is fetched once per switch, for the first
    // key that gets this far. Its currency keys are set for the locale unless
    // they already show its signs, which setting them again would only rewrite.
    if (shiftAlternateWanted) {
        NSObject* shiftAlternateKeyplane
            = send(layoutController, sel::keyplaneNamed, send(keyplane, sel::shiftAlternateKeyplaneName));
        if (shiftAlternateKeyplane) {
            shiftAlternateKeys.emplace(shiftAlternateKeyplane);
            if (isPunctuationKeyplane(shiftAlternateKeyplane)
                && !currencyKeysShowFilledSigns(*shiftAlternateKeys))
                send(
                    layoutController, sel::setCurrencyKeysForCurrentLocaleOnKeyplane, shiftAlternateKeyplane);
        }
    }
    const KeyplaneRows* shiftAlternate = shiftAlternateKeys ? &*shiftAlternateKeys : nullptr;

    // The plain alternate, and the one for shift lock where that applies.
    storeAlternate(*properties, entry::representedStringAlt,
        lookupAlternateString(key, keyplane, shiftAlternate, represented, classification.letters, false,
            extension.keyboardKind, extension.keyboardLayout, position),
        represented);
    if (extension.gShiftLockedAlternates) {
        storeAlternate(*properties, entry::representedStringAltShiftLocked,
            lookupAlternateString(key, keyplane, shiftAlternate, represented, classification.letters, true,
                extension.keyboardKind, extension.keyboardLayout, position),
            represented);
    }

    // The conditions of this processing.
    properties->setObject(Value::unsignedInteger(storedValue(extension.keyboardKind)), entry::processedKind);
    properties->setObject(Value(storedValue(extension.gTypeMode)), entry::processedTypeMode);
    properties->setObject(Value(storedValue(extension.keyboardLayout)), entry::processedLayout);

    shiftAlternateWanted = false;
}

// Writes the own strings, alternates and markers of the keyplane's keys.
void augmentKeys(NSObject* layoutController, NSObject* keyplane, KeyplaneClassification classification)
{
    bool alternateMode = extension.gTypeMode == TypeMode::AlternateKey;
    bool shiftAlternateWanted = !alternateMode || classification.punctuation;
    if (!extension.gCurrencyFilled && alternateMode && classification.letters)
        fillCurrencySigns(layoutController);

    // A keyplane whose loop last left every key processed under the same
    // conditions would have every key passed over again.
    RefPtr<NSMutableArray> keys(send(keyplane, sel::keys));
    auto conditions = AugmentationConditions::current(countOf(keys.get()));
    if (keysAugmentedUnder(keyplane, conditions))
        return;

    if (extension.gLocaleChanges)
        forgetProcessingUnderEarlierLocale(keyplane);
    // Keys are read by position so that the loop keeps each key alive while
    // it works on it.
    KeyLoop loop { layoutController, keyplane, classification, shiftAlternateWanted };
    for (std::size_t index = 0; index < countOf(keys.get()); ++index) {
        Value key = keys->objectAtIndex(index);
        loop.processKey(key.object(), index);
    }
    if (loop.rewroteKeys)
        ++extension.keysGeneration;
    if (loop.everyKeyProcessed)
        rememberAugmentation(keyplane, conditions);
    else
        forgetAugmentation(keyplane);
}

} // namespace

std::optional<KeyboardKind> kindOfKeyboardType(int keyboardType)
{
    switch (keyboardType) {
    case UIKeyboardTypeDefault:
    case UIKeyboardTypeASCIICapable:
    case UIKeyboardTypeNumbersAndPunctuation:
    case UIKeyboardTypeTwitter:
    case UIKeyboardTypeDefault + keyboardTypeASCIIVariant:
    case UIKeyboardTypeASCIICapable + keyboardTypeASCIIVariant:
    case UIKeyboardTypeNumbersAndPunctuation + keyboardTypeASCIIVariant:
    case UIKeyboardTypeTwitter + keyboardTypeASCIIVariant:
        return KeyboardKind::Standard;
    case UIKeyboardTypeURL:
        return KeyboardKind::WebAddress;
    case UIKeyboardTypeEmailAddress:
    case UIKeyboardTypeEmailAddress + keyboardTypeASCIIVariant:
        return KeyboardKind::EmailAddress;
    default:
        // The pads, and the URL keyboard's ASCII variant, are the platform's alone.
        return std::nullopt;
    }
}

void setKeyplaneNameReplacement(NSObject* layoutController, NSString keyplaneName)
{
    // Types other than the alphabetic keyboards are left to the platform.
    std::optional<KeyboardKind> kind
        = kindOfKeyboardType(integerInstanceVariable(activeLayoutController(), "_keyboardType"));
    if (!kind || keyplaneName.isNil()) {
        extension.gAugmentationActive = false;
        callImplementation(gDisplaced<setKeyplaneNameReplacement>, layoutController, keyplaneName);
        return;
    }
    extension.keyboardKind = *kind;

    // A keyplane switch ends any gesture; a key showing its alternate gets its
    // own string back first, so that it is the one processed below.
    if (extension.gesture.gAlternateShown())
        putOwnStringBack();
    extension.gesture.clearGestureState();

    // Flags for the new keyplane, set before the platform switches and draws.
    auto [keyplane, classification] = findKeyplane(layoutController, keyplaneName);
    bool alternateMode = extension.gTypeMode == TypeMode::AlternateKey;
    extension.gShiftLockedAlternates = classification.letters && alternateMode;
    extension.gAugmentationActive = extension.gSettingsLoaded && classification.alphabetic;
    extension.gShowAlternateLabels = alternateMode || !classification.letters;
    if (classification.alphabetic)
        setNodeProperty(keyplane, entry::enabledState, Value(extension.gAugmentationActive));

    callImplementation(gDisplaced<setKeyplaneNameReplacement>, layoutController, keyplaneName);

    // Only letters keyplanes tell the physical layout.
    extension.keyboardLayout = classification.letters ? detectKeyboardLayout() : LetterLayout::QWERTY;

    if (extension.gAugmentationActive)
        augmentKeys(layoutController, keyplane, classification);

    redrawKeyplaneView(layoutController);
}
