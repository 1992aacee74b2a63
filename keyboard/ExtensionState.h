#pragma once

#include "contracts/CorvaneContract.h"
#include "keyboard/GestureTracking.h"

#include <cstdint>
#include <type_traits>

// The extension's process-wide values. They are read and written only on the
// keyboard's main thread, so nothing here is locked.

// What the upward gesture types. The values are the ones the settings file's
// "type" and the keys' "CorvaneKPProcessed" entries hold.
enum class TypeMode : int {
    ShiftedKey = contract::shiftedKeyType, // "Shifted key": the key's shifted string
    AlternateKey = contract::alternateKeyType, // "Alternate key": the key's alternate character
};

// The upward movement that types it; the values are the file's "gesture".
enum class Gesture : int {
    FlickUp = contract::flickUpGesture, // far, and it may leave the key
    SlideUp = contract::slideUpGesture, // short, within the key
};

// The alphabetic keyboards the extension augments. The values are the ones
// the keys' "CorvaneProcessed" entries hold.
enum class KeyboardKind : unsigned {
    Standard = 1,
    WebAddress = 2,
    EmailAddress = 3,
};

// The physical arrangement of the letters; the values are the ones the keys'
// "CorvaneLayoutProcessed" entries hold.
enum class LetterLayout : int {
    QWERTY = 1,
    QWERTZ = 2,
    AZERTY = 3,
};

// The integer a typed value is stored as, in the settings file or a marker.
template <typename Enum> constexpr std::underlying_type_t<Enum> storedValue(Enum value)
{
    return static_cast<std::underlying_type_t<Enum>>(value);
}

// The extension's process-wide values, in one place so that they start, and
// are reset, together. Each keeps the name the rest of the code knows it by.
struct ExtensionState {
    // Settings, written only by loadSettings.
    TypeMode gTypeMode = TypeMode::ShiftedKey;
    Gesture gFlickGesture = Gesture::SlideUp;
    bool gSettingsLoaded = false;

    // What the last keyplane switch decided.
    bool gAugmentationActive = false;
    bool gShiftLockedAlternates = false;
    bool gShowAlternateLabels = false;
    KeyboardKind keyboardKind = KeyboardKind::Standard;
    LetterLayout keyboardLayout = LetterLayout::QWERTY;

    // Orientation seen by the last keyplane drawing.
    bool gLandscape = false;

    // The locale's currency signs have been written into the letter tables.
    bool gCurrencyFilled = false;
    // How often the current locale has changed since the library was loaded;
    // a keyplane processed under an older count is processed again.
    int gLocaleChanges = 0;

    // Whether keyplane switches use what earlier switches found: the keyplane
    // a name finds, its classification and layout, and the memo of its keys'
    // augmentation. Off only where tests compare the results with and without.
    bool gKeyplaneMemo = true;

    // Moves whenever a key loop rewrites a key's strings or alternates, so
    // that a keyplane picture drawn before is not shown again.
    std::uint64_t keysGeneration = 0;
    // Whether keyplane drawings reuse the pictures of earlier ones. Off only
    // where tests compare the pictures with and without.
    bool gKeyplanePictures = true;

    // The gesture in progress; only its own operations write it.
    GestureTracking gesture;
};

extern ExtensionState extension;

// Brings every value back to what the library starts with and rebuilds the
// alternate tables, so that each test starts afresh.
void resetExtensionStateForTesting();
