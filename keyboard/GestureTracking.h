#pragma once

#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/WeakPtr.h"

class NSObject;

// The gesture in progress, one touch at a time: the key it runs on, where its
// upward distance is measured from, and whether the pressed key carries its
// alternate string. The platform owns its keys and may tear the keyboard down
// mid-gesture, so keys are only observed.
extern WeakPtr<NSObject> gTrackedKey;
extern CGPoint gTrackStartPoint; // (0, 0) while nothing is tracked
extern bool gAlternateShown;
// The key a dropped gesture holds the touch on (see dropGesture); nothing otherwise.
extern WeakPtr<NSObject> gHeldKey;

// Tracks the key from the point; whether an alternate is shown is left as it is.
void trackKey(NSObject* key, CGPoint startPoint);
// Tracks a key the drag has reached, from the point, with no alternate shown.
// A key held by a dropped gesture is let go unless it is this one.
void moveTrackingTo(NSObject* key, CGPoint startPoint);
// Ends the tracking when the touch ends: the tracked key, its start point and
// a held key are forgotten; a shown alternate stays until the pop-up goes.
void endTracking();
// Forgets the whole gesture, the shown alternate included.
void clearGestureState();

// The pressed key no longer carries its alternate: it gets back the own
// string stored when it was processed, if it has one, and the view showing
// it is redrawn.
void showOwnString(NSObject* key, NSObject* view);

// A gesture with nothing to swap in is dropped: the tracking ends, but the
// touch stays on the key it ran on until it ends, however far up the finger
// goes, so that the key types its own string.
void dropGesture();
