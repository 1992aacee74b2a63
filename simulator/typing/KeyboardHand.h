#pragma once

#include "platform/foundation/ErrorOr.h"
#include "simulator/RolledTouches.h"
#include "simulator/typing/KeyTouch.h"
#include "simulator/typing/WorkPulse.h"

#include <functional>
#include <vector>

class Fingers;
class NSObject;
class UIWindow;

// Touches keys of the keyboard on screen with the app's fingers, through the
// same route as a person's touches: the window, which hands them to the
// keyboard. The script's key commands and the typist both use it; single
// touches take the first finger, rolled typing the first two in turn.
class KeyboardHand {
public:
    // The window is asked for at each touch: the app may not have one yet.
    // signOfLife, when given, is called now and then while many touches are
    // made, to tell the driver the host is at work.
    KeyboardHand(Fingers& fingers, std::function<UIWindow*()> window, std::function<void()> signOfLife = {})
        : m_fingers(fingers)
        , m_window(std::move(window))
        , m_pulse(std::move(signOfLife), fingerEventsPerSignOfLife)
    {
    }

    // The touch on the keyplane shown; an error when it has no such key.
    ErrorOr<void> perform(const KeyTouch& touch);
    // The touches in that rhythm. Rolled, a touch held for a variant or slid
    // onto another key is never overlapped: the touches before it are lifted first.
    ErrorOr<void> perform(const std::vector<KeyTouch>& touches, TouchRhythm rhythm);

    void tap(NSObject* key);
    // Down in the key's middle, up by the distance (down when negative) in
    // drag events about 5 points apart, at least three, then lifted.
    void upward(NSObject* key, double distance);
    // Down in the key's middle and held until the long press acts; when the
    // platform then offers variants, across to the middle of the one asked for
    // at the key's height; lifted.
    void holdForVariant(NSObject* key, std::size_t variant);
    // Plays finger events on the virtual clock and answers how long they took.
    double play(const std::vector<TouchStep>& steps);

    // Where the last touch made went down and lifted, for the time it takes;
    // read from the key's frame only when asked, so typing pays nothing for it.
    TouchPath lastPath() const;

private:
    ErrorOr<void> roll(const std::vector<KeyTouch>& touches);
    ErrorOr<void> slideOnto(NSObject* key, const KeyTouch& touch);

    // As many drag events as the script's drag-to makes.
    static constexpr int slideOntoSteps = 5;
    void press(NSObject* key);
    // Notes the touch on the key that lifts that far from where it went down.
    void lifted(NSObject* key, CGPoint shift = {})
    {
        m_lastKey = key;
        m_lastShift = shift;
    }

    // About a thousand presses and finger events: under a second even where
    // each touch is checked against a line of 400,000 characters.
    static constexpr std::size_t fingerEventsPerSignOfLife = 1024;

    Fingers& m_fingers;
    std::function<UIWindow*()> m_window;
    WorkPulse m_pulse;
    NSObject* m_lastKey { nullptr };
    CGPoint m_lastShift;
};
