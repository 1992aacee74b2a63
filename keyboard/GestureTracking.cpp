#include "keyboard/GestureTracking.h"

#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"

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

void showOwnString(NSObject* key, NSObject* view)
{
    gAlternateShown = false;
    NSString own = nodeProperty(key, entry::representedStringNoAlt).string();
    if (own.isNil())
        return;
    send(key, sel::setRepresentedString, own);
    send(view, sel::setNeedsDisplay);
}

void dropGesture()
{
    NSObject* droppedKey = gTrackedKey.get();
    clearGestureState();
    gHeldKey = droppedKey;
}
