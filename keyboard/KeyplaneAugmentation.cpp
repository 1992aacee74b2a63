#include "keyboard/KeyplaneAugmentation.h"

#include "keyboard/AlternateLookup.h"
#include "keyboard/DisplacedImplementations.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/KeyEligibility.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"

namespace {

// Names searched for, made once: every keyplane switch tests them.
const NSString& alphabeticPart()
{
    static const NSString part("-Alphabetic-");
    return part;
}
const NSString& lettersPart()
{
    static const NSString part("Letters");
    return part;
}
const NSString& punctuationPart()
{
    static const NSString part("Punctuation");
    return part;
}

struct KeyplaneClassification {
    bool alphabetic { false };
    bool letters { false };
    bool punctuation { false };
};

KeyplaneClassification classifyKeyplane(NSObject* keyplane)
{
    NSString componentName = send(keyplane, sel::componentName);
    return {
        .alphabetic = nameContains(send(keyplane, sel::unhashedName), alphabeticPart()),
        .letters = nameContains(componentName, lettersPart()),
        .punctuation = nameContains(componentName, punctuationPart()),
    };
}

bool isPunctuationKeyplane(NSObject* keyplane)
{
    return nameContains(send(keyplane, sel::componentName), punctuationPart());
}

// The first key set of the shown keyplane that names a layout decides it.
int detectKeyboardLayout()
{
    static const NSString layoutNames[] = { NSString("QWERTY"), NSString("QWERTZ"), NSString("AZERTY") };
    NSObject* shownKeyplane = send(activeLayoutController(), sel::keyplane);
    NSMutableArray* subtrees = send(shownKeyplane, sel::subtrees);
    for (std::size_t index = 0; index < countOf(subtrees); ++index) {
        NSObject* keySet = send(elementAt(subtrees, index).object(), sel::keySet);
        if (!keySet)
            continue;
        NSString keySetName = send(keySet, sel::unhashedName);
        for (int layout = 1; layout <= 3; ++layout) {
            if (nameContains(keySetName, layoutNames[layout - 1]))
                return layout;
        }
    }
    return 1;
}

// The markers say under which kind, mode and layout the key was processed
// last; the layout matters only on letters keyplanes.
bool isProcessedUnderCurrentConditions(const NSMutableDictionary& properties, bool lettersKeyplane)
{
    auto marker
        = [&properties](const DictionaryKey& entry) { return properties.objectForKey(entry).intValue(); };
    return marker(entry::processedKind) == keyboardKind && marker(entry::processedTypeMode) == gTypeMode
        && (!lettersKeyplane || marker(entry::processedLayout) == keyboardLayout);
}

// Empty results and results equal to the key's own string are no alternate.
void storeAlternate(NSMutableDictionary& properties, const DictionaryKey& alternateEntry,
    const NSString& alternate, const NSString& represented)
{
    if (!alternate.isNil() && !alternate.isEqualToString(represented) && !alternate.isEmpty())
        properties.setObject(Value(alternate), alternateEntry);
    else
        properties.removeObjectForKey(alternateEntry);
}

struct KeyLoop {
    NSObject* layoutController;
    NSObject* keyplane;
    KeyplaneClassification classification;
    bool shiftAlternateWanted;
    NSObject* shiftAlternateKeyplane { nullptr };

    void processKey(NSObject* key);
};

void KeyLoop::processKey(NSObject* key)
{
    // Every read and write below is on the key's one property dictionary,
    // fetched once: this loop runs over every key on every switch. A key
    // without one has nothing to read or write.
    RefPtr<NSMutableDictionary> properties = send(key, sel::properties);

    // 1.-2. Ineligible keys, and keys already processed under the same
    // conditions, are passed over.
    if (!properties || !isEligibleKey(key, properties.get())
        || isProcessedUnderCurrentConditions(*properties, classification.letters))
        return;

    // 3. A key that types nothing has no alternates; its markers stay.
    NSString represented = properties->objectForKey(entry::representedString).string();
    if (represented.isNil()) {
        properties->removeObjectForKey(entry::representedStringNoAlt);
        properties->removeObjectForKey(entry::representedStringAlt);
        properties->removeObjectForKey(entry::representedStringAltShiftLocked);
        return;
    }

    // 4. The key's own string, for the gesture and the pop-up to put back.
    properties->setObject(Value(represented), entry::representedStringNoAlt);

    // 5. The shift-alternate keyplane is fetched once per switch, for the
    // first key that gets this far.
    if (shiftAlternateWanted) {
        shiftAlternateKeyplane
            = send(layoutController, sel::keyplaneNamed, send(keyplane, sel::shiftAlternateKeyplaneName));
        if (isPunctuationKeyplane(shiftAlternateKeyplane))
            send(layoutController, sel::setCurrencyKeysForCurrentLocaleOnKeyplane, shiftAlternateKeyplane);
    }

    // 6.-7. The plain alternate, and the one for shift lock where that applies.
    storeAlternate(*properties, entry::representedStringAlt,
        lookupAlternateString(key, keyplane, shiftAlternateKeyplane, represented, classification.letters,
            false, keyboardKind, keyboardLayout),
        represented);
    if (gShiftLockedAlternates) {
        storeAlternate(*properties, entry::representedStringAltShiftLocked,
            lookupAlternateString(key, keyplane, shiftAlternateKeyplane, represented, classification.letters,
                true, keyboardKind, keyboardLayout),
            represented);
    }

    // 8. The conditions of this processing.
    properties->setObject(Value::unsignedInteger(static_cast<unsigned>(keyboardKind)), entry::processedKind);
    properties->setObject(Value(gTypeMode), entry::processedTypeMode);
    properties->setObject(Value(keyboardLayout), entry::processedLayout);

    // 9.
    shiftAlternateWanted = false;
}

void requestKeyplaneRedraw(NSObject* layoutController)
{
    send(objectInstanceVariable(layoutController, "_keyplaneView"), sel::setNeedsDisplay);
}

} // namespace

int kindOfKeyboardType(int keyboardType)
{
    switch (keyboardType) {
    case 0:
    case 1:
    case 2:
    case 9:
    case 256:
    case 257:
    case 258:
    case 265:
        return 1;
    case 3:
        return 2;
    case 7:
    case 263:
        return 3;
    default:
        return 0;
    }
}

void setKeyplaneNameReplacement(NSObject* layoutController, NSString keyplaneName)
{
    // 1.-2. Types other than the alphabetic keyboards are left to the platform.
    int kind = kindOfKeyboardType(integerInstanceVariable(activeLayoutController(), "_keyboardType"));
    if (!kind || keyplaneName.isNil()) {
        gAugmentationActive = false;
        callImplementation(gDisplaced.setKeyplaneName, layoutController, keyplaneName);
        return;
    }
    keyboardKind = kind;

    // 3. A keyplane switch ends any gesture.
    clearGestureState();

    // 4.-8. Flags for the new keyplane, set before the platform switches and draws.
    NSObject* keyplane = send(layoutController, sel::keyplaneNamed, keyplaneName);
    KeyplaneClassification classification = classifyKeyplane(keyplane);
    gShiftLockedAlternates = classification.letters && gTypeMode == 2;
    gAugmentationActive = gSettingsLoaded && classification.alphabetic;
    gShowAlternateLabels = !(gTypeMode == 1 && classification.letters);
    if (classification.alphabetic)
        setNodeProperty(keyplane, entry::enabledState, Value(gAugmentationActive));

    // 9.
    callImplementation(gDisplaced.setKeyplaneName, layoutController, keyplaneName);

    // 10. Only letters keyplanes tell the physical layout.
    keyboardLayout = classification.letters ? detectKeyboardLayout() : 1;

    if (gAugmentationActive) {
        // 11.-13.
        bool shiftAlternateWanted = gTypeMode == 1 || (gTypeMode == 2 && classification.punctuation);
        if (!gCurrencyFilled && gTypeMode == 2 && classification.letters)
            fillCurrencySigns(layoutController);

        // 14. Keys are read by position so that the loop keeps each key alive
        // while it works on it.
        KeyLoop loop { layoutController, keyplane, classification, shiftAlternateWanted };
        RefPtr<NSMutableArray> keys = send(keyplane, sel::keys);
        for (std::size_t index = 0; index < countOf(keys.get()); ++index) {
            Value key = keys->objectAtIndex(index);
            loop.processKey(key.object());
        }
    }

    // 15.
    requestKeyplaneRedraw(layoutController);
}
