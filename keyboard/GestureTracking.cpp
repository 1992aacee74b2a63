#include "keyboard/GestureTracking.h"

#include "platform/runtime/NSObject.h"

WeakPtr<NSObject> gTrackedKey;
CGPoint gTrackStartPoint;
bool gAlternateShown = false;
WeakPtr<NSObject> gHeldKey;

void trackKey(NSObject* key, CGPoint startPoint)
{
    gTrackedKey = key;
    gTrackStartPoint = startPoint;
}

void moveTrackingTo(NSObject* key, CGPoint startPoint)
{
    if (gHeldKey.get() != key)
        gHeldKey = nullptr;
    trackKey(key, startPoint);
    gAlternateShown = false;
}

void endTracking()
{
    trackKey(nullptr, CGPoint {});
    gHeldKey = nullptr;
}

void clearGestureState()
{
    endTracking();
    gAlternateShown = false;
}

void dropGesture()
{
    NSObject* droppedKey = gTrackedKey.get();
    clearGestureState();
    gHeldKey = droppedKey;
}
