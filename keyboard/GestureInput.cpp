#include "keyboard/GestureInput.h"

#include "keyboard/DisplacedImplementations.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/GestureTracking.h"
#include "keyboard/KeyEligibility.h"
#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"
#include "keyboard/KeyplaneDirectory.h"

namespace {

constexpr double longPressDelay = 0.5;
// How far up the finger must move from the start point to type the alternate.
constexpr double flickThreshold = 25.0;
constexpr double slideThreshold = 6.0;
// How far above another key's bottom edge a drag must be to start tracking it.
constexpr double flickEntryMargin = 2.0;
constexpr double slideEntryMargin = 8.0;
// The band around a kept key in which the hit test keeps answering it.
constexpr double keptBandBelowTop = 25.0;
constexpr double keptBandSides = 75.0;
// Drags this close above the layout's top edge stay with the extension while
// flicking, so that the platform does not end the touch there.
constexpr double flickWithheldAboveTop = -125.0;

bool isFlick()
{
    return extension.gFlickGesture == Gesture::FlickUp;
}

double upwardThreshold()
{
    return isFlick() ? flickThreshold : slideThreshold;
}

// The gesture in progress: read here, written only through its operations.
GestureTracking& gesture()
{
    return extension.gesture;
}

// The keyboard whose long-press timer a drag re-arms or stops. It is
// remembered at the touch's start, so that a drag does not ask the platform
// for the active keyboard on every move; the keyboard leaving the screen ends
// the touch first.
NSObject* touchedKeyboardImpl()
{
    NSObject* keyboardImpl = gesture().gTouchedKeyboard();
    return keyboardImpl ? keyboardImpl : activeKeyboardImpl();
}

void rearmLongPressTimer()
{
    send(touchedKeyboardImpl(), sel::touchLongPressTimerWithDelay, longPressDelay);
}

// In "Shifted key" mode the shifted letters keyplane already types the
// shifted string, so the gesture has nothing to add there.
bool gestureAddsNothing()
{
    if (extension.gTypeMode != TypeMode::ShiftedKey || !send(activeKeyboardImpl(), sel::isShifted))
        return false;
    return isLettersKeyplane(send(activeLayoutController(), sel::keyplane));
}

void applyAlternate()
{
    NSObject* popupView = findKeyPopupView();
    NSObject* popupKey = send(popupView, sel::key);
    if (gestureAddsNothing()) {
        gesture().dropGesture();
        return;
    }
    bool shiftLocked = extension.gShiftLockedAlternates && send(activeKeyboardImpl(), sel::isShiftLocked);
    NSString alternate = nodeProperty(
        popupKey, shiftLocked ? entry::representedStringAltShiftLocked : entry::representedStringAlt)
                             .string();
    if (alternate.isNil()) {
        gesture().dropGesture();
        return;
    }
    gesture().showAlternate(popupKey, alternate, popupView);
}

// A drag that reaches another key starts tracking it only if it is high
// enough on that key. Returns whether the long-press timer step follows.
bool moveTracking(NSObject* hitKey, CGPoint point)
{
    if (!isEligibleKey(hitKey)) {
        gesture().clearGestureState();
        return false;
    }
    CGRect frame = send(hitKey, sel::frame);
    double margin = isFlick() ? flickEntryMargin : slideEntryMargin;
    auto entryEdge = static_cast<float>(static_cast<double>(frame.maxY()) - margin);
    if (gesture().gTouchStartedOnEligibleKey() && point.y < entryEdge)
        gesture().moveTrackingTo(hitKey, point);
    else
        gesture().clearGestureState();
    return true;
}

void followTrackedKey(NSObject* trackedKey, CGPoint point)
{
    if (!trackedKey)
        return;
    double upward = static_cast<double>(gesture().gTrackStartPoint().y - point.y);
    double threshold = upwardThreshold();
    if (!gesture().gAlternateShown() && upward >= threshold)
        applyAlternate();
    else if (gesture().gAlternateShown() && upward < threshold)
        putOwnStringBack();
}

// While the alternate is shown the platform's long-press action must not fire.
void updateLongPressTimer(NSObject* hitKey)
{
    if (hitKey && !gesture().gAlternateShown())
        rearmLongPressTimer();
    else
        send(touchedKeyboardImpl(), sel::clearLongPressTimer);
}

bool isWithheldFromPlatform(CGPoint point)
{
    double y = point.y;
    return isFlick() && flickWithheldAboveTop < y && y <= 0.0;
}

// Not inlined: a hit test with no kept key then goes on to the platform's
// without saving any register.
[[gnu::noinline]] bool isInKeptBand(NSObject* key, CGPoint point)
{
    CGRect frame = send(key, sel::frame);
    double x = point.x;
    double y = point.y;
    return y <= static_cast<double>(frame.minY()) + keptBandBelowTop
        && x >= static_cast<double>(frame.minX()) - keptBandSides
        && x <= static_cast<double>(frame.maxX()) + keptBandSides;
}

// One touch at a time: a key still tracked or held when a finger comes down
// was left by a gesture whose end the extension never saw (its touchUp: or
// touchCancelled: replacement missing). The hit test that chose this touch's
// key then answered that key across its whole band; forget it and ask again,
// so that the touch acts on the key under the finger.
NSObject* keyUnderNewTouch(NSObject* layoutController, NSObject* key, CGPoint point)
{
    NSObject* staleKey = gesture().gTrackedKey() ? gesture().gTrackedKey() : gesture().gHeldKey();
    if (!staleKey)
        return key;
    gesture().endTracking();
    return key == staleKey ? send(layoutController, sel::keyHitTest, point) : key;
}

// The hit test itself, as the platform would answer it but for the kept key.
// Not inlined, so that the platform's hit test answered from its drag's first
// one (keyHitTestReplacement) returns without saving any register.
[[gnu::noinline]] NSObject* keptKeyOrPlatformHit(NSObject* layoutController, CGPoint point)
{
    if (extension.gAugmentationActive) {
        // Near and above it the hit test keeps answering the tracked key of a
        // flick, or the key a dropped gesture holds in either gesture.
        NSObject* keptKey = gesture().gTrackedKey();
        if (!keptKey || !isFlick())
            keptKey = gesture().gHeldKey();
        if (keptKey && isInKeptBand(keptKey, point))
            return keptKey;
    }
    return callImplementation(gDisplaced<keyHitTestReplacement>, layoutController, point);
}

// The drag's own hit test. Once the hit test replacement is installed it is
// what a keyHitTest: sent here reaches, outside any drag: its work is done
// without the send on every move.
NSObject* dragHitTest(NSObject* layoutController, CGPoint point)
{
    if (!gDisplaced<keyHitTestReplacement>)
        return send(layoutController, sel::keyHitTest, point);
    return keptKeyOrPlatformHit(layoutController, point);
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

void putOwnStringBack()
{
    NSObject* popupView = findKeyPopupView();
    gesture().showOwnString(send(popupView, sel::key), popupView);
}

void touchDownWithKeyAtPointReplacement(NSObject* layoutController, NSObject* key, CGPoint point)
{
    bool wasActive = extension.gAugmentationActive;
    if (wasActive) {
        gesture().touchBegan(activeKeyboardImpl());
        key = keyUnderNewTouch(layoutController, key, point);
    }
    callImplementation(gDisplaced<touchDownWithKeyAtPointReplacement>, layoutController, key, point);
    gesture().touchLanded(wasActive && isEligibleKey(key));
    if (!wasActive)
        return;
    if (!gesture().gTouchStartedOnEligibleKey()) {
        gesture().endTracking();
        return;
    }
    gesture().trackKey(key, point);
    rearmLongPressTimer();
}

NSObject* keyHitTestReplacement(NSObject* layoutController, CGPoint point)
{
    if (const HitTestAnswer* first = gesture().dragFirstAnswerFor(layoutController, point))
        return first->key;
    return keptKeyOrPlatformHit(layoutController, point);
}

void touchDraggedReplacement(NSObject* layoutController, NSObject* touch)
{
    if (!extension.gAugmentationActive) {
        callImplementation(gDisplaced<touchDraggedReplacement>, layoutController, touch);
        return;
    }
    CGPoint point = send(touch, sel::locationInView, layoutController);
    NSObject* hitKey = dragHitTest(layoutController, point);
    NSObject* trackedKey = gesture().gTrackedKey();
    GestureTracking::DragInProgress drag(
        gesture(), { layoutController, point, trackedKey, gesture().gHeldKey(), hitKey });

    bool updateTimer = true;
    if (hitKey != trackedKey)
        updateTimer = moveTracking(hitKey, point);
    else
        followTrackedKey(trackedKey, point);
    if (updateTimer)
        updateLongPressTimer(hitKey);

    if (isWithheldFromPlatform(point))
        return;
    callImplementation(gDisplaced<touchDraggedReplacement>, layoutController, touch);
}

void touchUpReplacement(NSObject* layoutController, NSObject* touch)
{
    gesture().touchEnded();
    if (extension.gAugmentationActive)
        gesture().endTracking();
    callImplementation(gDisplaced<touchUpReplacement>, layoutController, touch);
}

void touchCancelledReplacement(NSObject* layoutController, NSObject* touch)
{
    gesture().touchEnded();
    if (extension.gAugmentationActive)
        gesture().endTracking();
    callImplementation(gDisplaced<touchCancelledReplacement>, layoutController, touch);
}
