#include "keyboard/GestureTracking.h"

#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"

void GestureTracking::trackKey(NSObject* key, CGPoint startPoint)
{
    m_trackedKey = key;
    m_trackStartPoint = startPoint;
}

void GestureTracking::moveTrackingTo(NSObject* key, CGPoint startPoint)
{
    if (m_heldKey.get() != key)
        m_heldKey = nullptr;
    trackKey(key, startPoint);
    m_alternateShown = false;
}

void GestureTracking::endTracking()
{
    trackKey(nullptr, CGPoint {});
    m_heldKey = nullptr;
}

void GestureTracking::clearGestureState()
{
    endTracking();
    m_alternateShown = false;
}

void GestureTracking::showAlternate(NSObject* key, const NSString& alternate, NSObject* view)
{
    m_alternateShown = true;
    send(key, sel::setRepresentedString, alternate);
    send(view, sel::setNeedsDisplay);
}

void GestureTracking::showOwnString(NSObject* key, NSObject* view)
{
    m_alternateShown = false;
    NSString own = nodeProperty(key, entry::representedStringNoAlt).string();
    if (own.isNil())
        return;
    send(key, sel::setRepresentedString, own);
    send(view, sel::setNeedsDisplay);
}

void GestureTracking::dropGesture()
{
    NSObject* droppedKey = m_trackedKey.get();
    clearGestureState();
    m_heldKey = droppedKey;
}
