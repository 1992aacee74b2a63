#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/WeakPtr.h"

// The extension's process-wide values. They are read and written only on the
// keyboard's main thread, so nothing here is locked.

// Settings, written only by loadSettings.
extern int gTypeMode; // 1 "Shifted key", 2 "Alternate key"
extern bool gFlickGesture; // true "Flick up", false "Slide up"
extern bool gSettingsLoaded;

// What the last keyplane switch decided.
extern bool gAugmentationActive;
extern bool gShiftLockedAlternates;
extern bool gShowAlternateLabels;
extern int keyboardKind; // 1 standard, 2 web address, 3 e-mail
extern int keyboardLayout; // 1 QWERTY, 2 QWERTZ, 3 AZERTY

// The gesture in progress. The platform owns its keys and may tear the
// keyboard down mid-gesture, so the tracked key is only observed.
extern WeakPtr<NSObject> gTrackedKey;
extern CGPoint gTrackStartPoint;
extern bool gAlternateShown;

// Orientation seen by the last keyplane drawing.
extern bool gLandscape;

// The locale's currency signs have been written into the letter tables.
extern bool gCurrencyFilled;

// Forgets the gesture in progress.
void clearGestureState();

// Brings every value back to what the library starts with and rebuilds the
// alternate tables, so that each test starts afresh.
void resetExtensionStateForTesting();
