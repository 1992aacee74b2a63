#include "keyboard/GestureInput.h"

#include "keyboard/DisplacedImplementations.h"
#include "keyboard/ExtensionState.h"
#include "keyboard/GestureTracking.h"
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
// The band around a kept key in which the hit test keeps answering it.
constexpr double keptBandBelowTop = 25.0;
constexpr double keptBandSides = 75.0;
// Drags this close above the layout's top edge stay with the extension while
// flicking, so that the platform does not end the touch there.
constexpr double flickWithheldAboveTop = -125.0;

bool isFlick()
{
    return gFlickGesture == Gesture::FlickUp;
}

double upwardThreshold()
{
    return isFlick() ? flickThreshold : slideThreshold;
}

// The keyboard the touch went down on, whose long-press timer its drags
// re-arm or stop. Remembered at the touch's start, so that a drag does not ask
// the platform for the active keyboard on every move; the keyboard leaving
// the screen ends the touch first.
WeakPtr<NSObject> gTouchedKeyboard;

NSObject* touchedKeyboardImpl()
{
    NSObject* keyboardImpl = gTouchedKeyboard.get();
    return keyboardImpl ? keyboardImpl : activeKeyboardImpl();
}

// Whether the touch went down on a key the extension tracks. One that went
// down anywhere else (shift, "123", space) is the platform's, whose slide from
// a keyplane key types the key it ends on: its drags start no gesture.
bool gTouchStartedOnEligibleKey = false;

void rearmLongPressTimer()
{
    send(touchedKeyboardImpl(), sel::touchLongPressTimerWithDelay, longPressDelay);
}

// In "Shifted key" mode the shifted letters keyplane already types the
// shifted string, so the gesture has nothing to add there.
bool gestureAddsNothing()
{
    if (gTypeMode != TypeMode::ShiftedKey || !send(activeKeyboardImpl(), sel::isShifted))
        return false;
    static const NSString letters("Letters");
    return nameContains(send(send(activeLayoutController(), sel::keyplane), sel::componentName), letters);
}

void applyAlternate()
{
    NSObject* popupView = findKeyPopupView();
    NSObject* popupKey = send(popupView, sel::key);
    if (gestureAddsNothing()) {
        dropGesture();
        return;
    }
    bool shiftLocked = gShiftLockedAlternates && send(activeKeyboardImpl(), sel::isShiftLocked);
    NSString alternate = nodeProperty(
        popupKey, shiftLocked ? entry::representedStringAltShiftLocked : entry::representedStringAlt)
                             .string();
    if (alternate.isNil()) {
        dropGesture();
        return;
    }
    gAlternateShown = true;
    send(popupKey, sel::setRepresentedString, alternate);
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
    double margin = isFlick() ? flickEntryMargin : slideEntryMargin;
    auto entryEdge = static_cast<float>(static_cast<double>(frame.maxY()) - margin);
    if (gTouchStartedOnEligibleKey && point.y < entryEdge)
        moveTrackingTo(hitKey, point);
    else
        clearGestureState();
    return true;
}

void followTrackedKey(NSObject* trackedKey, CGPoint point)
{
    if (!trackedKey)
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

// The answer of a hit test, with what it depended on besides the platform's
// keys: the point and the keys the gesture keeps.
struct HitTestAnswer {
    NSObject* layoutController;
    CGPoint point;
    NSObject* trackedKey;
    NSObject* heldKey;
    NSObject* key;

    bool holdsFor(NSObject* controller, CGPoint at) const
    {
        return layoutController == controller && point == at && trackedKey == gTrackedKey.get()
            && heldKey == gHeldKey.get();
    }
};

// A drag hit-tests its point twice: the extension's drag, then the platform's
// drag it passes the touch on to. While the kept keys are what they were at
// the first, the second has the first's answer. Only the answers within one
// drag are reused.
class DragInProgress {
public:
    explicit DragInProgress(const HitTestAnswer& first)
        : m_first(first)
        , m_previous(s_current)
    {
        s_current = this;
    }
    ~DragInProgress() { s_current = m_previous; }
    DragInProgress(const DragInProgress&) = delete;
    DragInProgress& operator=(const DragInProgress&) = delete;

    // The first hit test's answer, while a drag is in progress.
    static const HitTestAnswer* firstAnswer() { return s_current ? &s_current->m_first : nullptr; }

private:
    static inline DragInProgress* s_current = nullptr;
    HitTestAnswer m_first;
    DragInProgress* m_previous;
};

// One touch at a time: a key still tracked or held when a finger comes down
// was left by a gesture whose end the extension never saw (its touchUp: or
// touchCancelled: replacement missing). The hit test that chose this touch's
// key then answered that key across its whole band; forget it and ask again,
// so that the touch acts on the key under the finger.
NSObject* keyUnderNewTouch(NSObject* layoutController, NSObject* key, CGPoint point)
{
    NSObject* staleKey = gTrackedKey ? gTrackedKey.get() : gHeldKey.get();
    if (!staleKey)
        return key;
    endTracking();
    return key == staleKey ? send(layoutController, sel::keyHitTest, point) : key;
}

// The hit test itself, as the platform would answer it but for the kept key.
// Not inlined, so that the platform's hit test answered from its drag's first
// one (keyHitTestReplacement) returns without saving any register.
[[gnu::noinline]] NSObject* keptKeyOrPlatformHit(NSObject* layoutController, CGPoint point)
{
    if (gAugmentationActive) {
        // Near and above it the hit test keeps answering the tracked key of a
        // flick, or the key a dropped gesture holds in either gesture.
        NSObject* keptKey = gTrackedKey.get();
        if (!keptKey || !isFlick())
            keptKey = gHeldKey.get();
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
    showOwnString(send(popupView, sel::key), popupView);
}

void touchDownWithKeyAtPointReplacement(NSObject* layoutController, NSObject* key, CGPoint point)
{
    bool wasActive = gAugmentationActive;
    if (wasActive) {
        gTouchedKeyboard = activeKeyboardImpl();
        key = keyUnderNewTouch(layoutController, key, point);
    }
    callImplementation(gDisplaced<touchDownWithKeyAtPointReplacement>, layoutController, key, point);
    gTouchStartedOnEligibleKey = wasActive && isEligibleKey(key);
    if (!wasActive)
        return;
    if (!gTouchStartedOnEligibleKey) {
        endTracking();
        return;
    }
    trackKey(key, point);
    rearmLongPressTimer();
}

NSObject* keyHitTestReplacement(NSObject* layoutController, CGPoint point)
{
    const HitTestAnswer* first = DragInProgress::firstAnswer();
    if (first && first->holdsFor(layoutController, point))
        return first->key;
    return keptKeyOrPlatformHit(layoutController, point);
}

void touchDraggedReplacement(NSObject* layoutController, NSObject* touch)
{
    if (!gAugmentationActive) {
        callImplementation(gDisplaced<touchDraggedReplacement>, layoutController, touch);
        return;
    }
    CGPoint point = send(touch, sel::locationInView, layoutController);
    NSObject* hitKey = dragHitTest(layoutController, point);
    NSObject* trackedKey = gTrackedKey.get();
    DragInProgress drag({ layoutController, point, trackedKey, gHeldKey.get(), hitKey });

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
    gTouchedKeyboard = nullptr;
    gTouchStartedOnEligibleKey = false;
    if (gAugmentationActive)
        endTracking();
    callImplementation(gDisplaced<touchUpReplacement>, layoutController, touch);
}

void touchCancelledReplacement(NSObject* layoutController, NSObject* touch)
{
    gTouchedKeyboard = nullptr;
    gTouchStartedOnEligibleKey = false;
    if (gAugmentationActive)
        endTracking();
    callImplementation(gDisplaced<touchCancelledReplacement>, layoutController, touch);
}
