#include "keyboard/ExtensionState.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/GestureTracking.h"
#include "keyboard/KeyplaneDirectory.h"
#include "keyboard/MethodReplacements.h"

TypeMode gTypeMode = TypeMode::ShiftedKey;
Gesture gFlickGesture = Gesture::SlideUp;
bool gSettingsLoaded = false;

bool gAugmentationActive = false;
bool gShiftLockedAlternates = false;
bool gShowAlternateLabels = false;
KeyboardKind keyboardKind = KeyboardKind::Standard;
LetterLayout keyboardLayout = LetterLayout::QWERTY;

bool gLandscape = false;

bool gCurrencyFilled = false;
int gLocaleChanges = 0;
bool gKeyplaneMemo = true;

void resetExtensionStateForTesting()
{
    gTypeMode = TypeMode::ShiftedKey;
    gFlickGesture = Gesture::SlideUp;
    gSettingsLoaded = false;
    gAugmentationActive = false;
    gShiftLockedAlternates = false;
    gShowAlternateLabels = false;
    keyboardKind = KeyboardKind::Standard;
    keyboardLayout = LetterLayout::QWERTY;
    clearGestureState();
    gLandscape = false;
    gCurrencyFilled = false;
    gLocaleChanges = 0;
    gKeyplaneMemo = true;
    forgetFoundKeyplanes();
    for (const MethodReplacement& replacement : methodReplacements)
        replacement.forgetDisplaced();
    buildAlternateTables();
}
