#include "keyboard/GestureInput.h"

#include "keyboard/DisplacedImplementations.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/KeyEligibility.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"

namespace {

constexpr double longPressDelay = 0.5;
// How far up the finger must move from the start point to type the alternate.
constexpr double flickThreshold = 25.0;
constexpr double slideThreshold = 6.0;
// How far above another key's bottom edge a drag must be to start tracking it.
constexpr double flickEntryMargin = 2.0;
constexpr double slideEntryMargin = 8.0;
// The band around a tracked key in which a flick keeps hitting it.
constexpr double flickBandBelowTop = 25.0;
constexpr double flickBandSides = 75.0;
// Drags this close above the layout's top edge stay with the extension while
// flicking, so that the platform does not end the touch there.
constexpr double flickWithheldAboveTop = -125.0;

double upwardThreshold()
{
    return gFlickGesture ? flickThreshold : slideThreshold;
}

void rearmLongPressTimer()
{
    send(activeKeyboardImpl(), sel::touchLongPressTimerWithDelay, longPressDelay);
}

void trackKey(NSObject* key, CGPoint startPoint)
{
    gTrackedKey = key;
    gTrackStartPoint = startPoint;
}

// In "Shifted key" mode the shifted letters keyplane already types the
// shifted string, so the gesture has nothing to add there.
bool gestureAddsNothing()
{
    if (gTypeMode != 1 || !send(activeKeyboardImpl(), sel::isShifted))
        return false;
    static const NSString letters("Letters");
    return nameContains(send(send(activeLayoutController(), sel::keyplane), sel::componentName), letters);
}

void applyAlternate()
{
    NSObject* popupView = findKeyPopupView();
    NSObject* popupKey = send(popupView, sel::key);
    if (gestureAddsNothing()) {
        clearGestureState();
        return;
    }
    bool shiftLocked = gShiftLockedAlternates && send(activeKeyboardImpl(), sel::isShiftLocked);
    NSString alternate = nodeProperty(
        popupKey, shiftLocked ? entry::representedStringAltShiftLocked : entry::representedStringAlt)
                             .string();
    if (alternate.isNil()) {
        clearGestureState();
        return;
    }
    gAlternateShown = true;
    send(popupKey, sel::setRepresentedString, alternate);
    send(popupView, sel::setNeedsDisplay);
}

void putOwnStringBack()
{
    NSObject* popupView = findKeyPopupView();
    gAlternateShown = false;
    NSObject* popupKey = send(popupView, sel::key);
    NSString own = nodeProperty(popupKey, entry::representedStringNoAlt).string();
    if (own.isNil())
        return;
    send(popupKey, sel::setRepresentedString, own);
    send(popupView, sel::setNeedsDisplay);
}

// A drag that reaches another key starts tracking it only if it is high
// enough on that key. Returns whether the long-press timer step follows.
bool moveTracking(NSObject* hitKey, CGPoint point)
{
    if (!isEligibleKey(hitKey)) {
        clearGestureState();
        return false;
    }
    CGRect frame = send(hitKey, sel::frame);
    double margin = gFlickGesture ? flickEntryMargin : slideEntryMargin;
    auto entryEdge = static_cast<float>(static_cast<double>(frame.maxY()) - margin);
    if (point.y < entryEdge) {
        trackKey(hitKey, point);
        gAlternateShown = false;
    } else {
        clearGestureState();
    }
    return true;
}

void followTrackedKey(CGPoint point)
{
    if (!gTrackedKey)
        return;
    double upward = static_cast<double>(gTrackStartPoint.y - point.y);
    double threshold = upwardThreshold();
    if (!gAlternateShown && upward >= threshold)
        applyAlternate();
    else if (gAlternateShown && upward < threshold)
        putOwnStringBack();
}

// While the alternate is shown the platform's long-press action must not fire.
void updateLongPressTimer(NSObject* hitKey)
{
    if (hitKey && !gAlternateShown)
        rearmLongPressTimer();
    else
        send(activeKeyboardImpl(), sel::clearLongPressTimer);
}

bool isWithheldFromPlatform(CGPoint point)
{
    double y = point.y;
    return gFlickGesture && flickWithheldAboveTop < y && y <= 0.0;
}

// One touch at a time: a key still tracked when a finger comes down was left
// by a gesture whose end the extension never saw (its touchUp: or
// touchCancelled: replacement missing). The hit test that chose this touch's
// key then answered that key across its whole flick band; forget it and ask
// again, so that the touch acts on the key under the finger.
NSObject* keyUnderNewTouch(NSObject* layoutController, NSObject* key, CGPoint point)
{
    NSObject* staleKey = gTrackedKey.get();
    if (!staleKey)
        return key;
    trackKey(nullptr, CGPoint {});
    return key == staleKey ? send(layoutController, sel::keyHitTest, point) : key;
}

} // namespace

NSObject* findKeyPopupView()
{
    Class* keyViewClass = platformClass<UIKBKeyViewName>();
    NSObject* window = send(activeKeyboard(), sel::window);
    NSMutableArray* subviews = send(window, sel::subviews);
    for (std::size_t index = 0; index < countOf(subviews); ++index) {
        NSObject* view = subviews->objectAtIndex(index).object();
        if (isKindOfClass(view, keyViewClass))
            return view;
    }
    return nullptr;
}

void touchDownWithKeyAtPointReplacement(NSObject* layoutController, NSObject* key, CGPoint point)
{
    bool wasActive = gAugmentationActive;
    if (wasActive)
        key = keyUnderNewTouch(layoutController, key, point);
    callImplementation(gDisplaced.touchDownWithKeyAtPoint, layoutController, key, point);
    if (!wasActive)
        return;
    if (!isEligibleKey(key)) {
        gTrackedKey = nullptr;
        gTrackStartPoint = CGPoint {};
        return;
    }
    trackKey(key, point);
    rearmLongPressTimer();
}

NSObject* keyHitTestReplacement(NSObject* layoutController, CGPoint point)
{
    NSObject* trackedKey = gTrackedKey.get();
    if (gAugmentationActive && trackedKey && gFlickGesture) {
        CGRect frame = send(trackedKey, sel::frame);
        double x = point.x;
        double y = point.y;
        if (y <= static_cast<double>(frame.minY()) + flickBandBelowTop
            && x >= static_cast<double>(frame.minX()) - flickBandSides
            && x <= static_cast<double>(frame.maxX()) + flickBandSides)
            return trackedKey;
    }
    return callImplementation(gDisplaced.keyHitTest, layoutController, point);
}

void touchDraggedReplacement(NSObject* layoutController, NSObject* touch)
{
    if (!gAugmentationActive) {
        callImplementation(gDisplaced.touchDragged, layoutController, touch);
        return;
    }
    CGPoint point = send(touch, sel::locationInView, layoutController);
    NSObject* hitKey = send(layoutController, sel::keyHitTest, point);

    bool updateTimer = true;
    if (hitKey != gTrackedKey.get())
        updateTimer = moveTracking(hitKey, point);
    else
        followTrackedKey(point);
    if (updateTimer)
        updateLongPressTimer(hitKey);

    if (isWithheldFromPlatform(point))
        return;
    callImplementation(gDisplaced.touchDragged, layoutController, touch);
}

void touchUpReplacement(NSObject* layoutController, NSObject* touch)
{
    if (gAugmentationActive)
        trackKey(nullptr, CGPoint {});
    callImplementation(gDisplaced.touchUp, layoutController, touch);
}

void touchCancelledReplacement(NSObject* layoutController, NSObject* touch)
{
    if (gAugmentationActive)
        trackKey(nullptr, CGPoint {});
    callImplementation(gDisplaced.touchCancelled, layoutController, touch);
}
