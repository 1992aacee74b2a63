#include "keyboard/ExtensionState.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/DisplacedImplementations.h"

int gTypeMode = 1;
bool gFlickGesture = false;
bool gSettingsLoaded = false;

bool gAugmentationActive = false;
bool gShiftLockedAlternates = false;
bool gShowAlternateLabels = false;
int keyboardKind = 1;
int keyboardLayout = 1;

WeakPtr<NSObject> gTrackedKey;
CGPoint gTrackStartPoint;
bool gAlternateShown = false;

bool gLandscape = false;

bool gCurrencyFilled = false;

DisplacedImplementations gDisplaced;

void clearGestureState()
{
    gTrackedKey = nullptr;
    gTrackStartPoint = CGPoint {};
    gAlternateShown = false;
}

void resetExtensionStateForTesting()
{
    gTypeMode = 1;
    gFlickGesture = false;
    gSettingsLoaded = false;
    gAugmentationActive = false;
    gShiftLockedAlternates = false;
    gShowAlternateLabels = false;
    keyboardKind = 1;
    keyboardLayout = 1;
    clearGestureState();
    gLandscape = false;
    gCurrencyFilled = false;
    gDisplaced = {};
    buildAlternateTables();
}
