#pragma once

#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/WeakPtr.h"

class NSObject;

// The answer of a hit test made during a drag, with what it depended on
// besides the platform's keys: the point and the keys the gesture keeps.
struct HitTestAnswer {
    NSObject* layoutController;
    CGPoint point;
    NSObject* trackedKey;
    NSObject* heldKey;
    NSObject* key;
};

// The gesture in progress, one touch at a time: the keyboard the touch went
// down on, the key the gesture runs on, where its upward distance is measured
// from, and whether the pressed key carries its alternate string. The
// platform owns its keys and may tear the keyboard down mid-gesture, so keys
// and keyboard are only observed. Everyone reads these values; only the
// operations below write them.
class GestureTracking {
public:
    NSObject* gTrackedKey() const { return m_trackedKey.get(); }
    // (0, 0) while nothing is tracked.
    CGPoint gTrackStartPoint() const { return m_trackStartPoint; }
    bool gAlternateShown() const { return m_alternateShown; }
    // The key a dropped gesture holds the touch on (see dropGesture); nothing otherwise.
    NSObject* gHeldKey() const { return m_heldKey.get(); }
    // The keyboard the touch went down on, whose long-press timer its drags
    // re-arm or stop; nothing between touches.
    NSObject* gTouchedKeyboard() const { return m_touchedKeyboard.get(); }

    // Whether the touch went down on a key the extension tracks. One that went
    // down anywhere else (shift, "123", space) is the platform's, whose slide
    // from a keyplane key types the key it ends on: its drags start no gesture.
    bool gTouchStartedOnEligibleKey() const { return m_touchStartedOnEligibleKey; }

    // A touch goes down on the keyboard, lands on its key, or ends.
    void touchBegan(NSObject* keyboardImpl) { m_touchedKeyboard = keyboardImpl; }
    void touchLanded(bool onEligibleKey) { m_touchStartedOnEligibleKey = onEligibleKey; }
    void touchEnded()
    {
        m_touchedKeyboard = nullptr;
        m_touchStartedOnEligibleKey = false;
    }

    // Tracks the key from the point; whether an alternate is shown is left as it is.
    void trackKey(NSObject* key, CGPoint startPoint);
    // Tracks a key the drag has reached, from the point, with no alternate
    // shown. A key held by a dropped gesture is let go unless it is this one.
    void moveTrackingTo(NSObject* key, CGPoint startPoint);
    // Ends the tracking when the touch ends: the tracked key, its start point
    // and a held key are forgotten; a shown alternate stays until the pop-up goes.
    void endTracking();
    // Forgets the whole gesture, the shown alternate included.
    void clearGestureState();

    // The pressed key carries its alternate: it types that string when the
    // finger lifts, and the view showing it is redrawn.
    void showAlternate(NSObject* key, const NSString& alternate, NSObject* view);
    // The pressed key no longer carries its alternate: it gets back the own
    // string stored when it was processed, if it has one, and the view
    // showing it is redrawn.
    void showOwnString(NSObject* key, NSObject* view);

    // A gesture with nothing to swap in is dropped: the tracking ends, but the
    // touch stays on the key it ran on until it ends, however far up the
    // finger goes, so that the key types its own string.
    void dropGesture();

    // A drag hit-tests its point twice: the extension's drag, then the
    // platform's drag it passes the touch on to. While a DragInProgress lives,
    // the hit tests within its drag can have its first answer.
    class DragInProgress {
    public:
        DragInProgress(GestureTracking& gesture, const HitTestAnswer& first)
            : m_gesture(gesture)
            , m_first(first)
            , m_previous(gesture.m_dragFirstAnswer)
        {
            gesture.m_dragFirstAnswer = &m_first;
        }
        ~DragInProgress() { m_gesture.m_dragFirstAnswer = m_previous; }
        DragInProgress(const DragInProgress&) = delete;
        DragInProgress& operator=(const DragInProgress&) = delete;

    private:
        GestureTracking& m_gesture;
        HitTestAnswer m_first;
        const HitTestAnswer* m_previous;
    };

    // The first answer of the drag in progress, while the controller, the
    // point and the kept keys are what it depended on; nothing otherwise.
    const HitTestAnswer* dragFirstAnswerFor(NSObject* layoutController, CGPoint point) const
    {
        const HitTestAnswer* first = m_dragFirstAnswer;
        if (first && first->layoutController == layoutController && first->point == point
            && first->trackedKey == gTrackedKey() && first->heldKey == gHeldKey())
            return first;
        return nullptr;
    }

private:
    WeakPtr<NSObject> m_trackedKey;
    CGPoint m_trackStartPoint {};
    bool m_alternateShown { false };
    WeakPtr<NSObject> m_heldKey;
    WeakPtr<NSObject> m_touchedKeyboard;
    bool m_touchStartedOnEligibleKey { false };
    const HitTestAnswer* m_dragFirstAnswer { nullptr };
};
