#include "simulator/typing/KeyboardHand.h"

#include "platform/foundation/NSRunLoop.h"
#include "platform/keyboard/KeyboardTimer.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "simulator/Finger.h"
#include "simulator/KeyboardKeys.h"
#include "simulator/ScriptCommand.h"

#include <algorithm>
#include <cmath>

namespace {

// Upward gestures move in drag events about this many points apart.
constexpr double gestureStep = 5;

// As far as the script's own flick and slide commands move.
double upwardDistance(TouchKind kind)
{
    switch (kind) {
    case TouchKind::Flick:
        return command::Flick::defaultDistance;
    case TouchKind::Slide:
        return command::Slide::defaultDistance;
    case TouchKind::Tap:
    case TouchKind::SlideOnto:
    case TouchKind::Variant:
        break;
    }
    return 0;
}

// The key a touch means, on the keyplane it was found on.
ErrorOr<NSObject*> keyOf(const KeyTouch& touch, const std::string& keyplane)
{
    UIKeyboardLayoutStar* layout = KeyboardKeys::activeLayout();
    NSMutableArray* keys = send(send(layout, sel::keyplaneNamed, NSString(keyplane)), sel::keys);
    if (!keys || touch.key >= keys->count())
        return Error { "the keyplane " + keyplane + " has no key " + touch.keyName };
    return keys->objectAtIndex(touch.key).object();
}

} // namespace

ErrorOr<void> KeyboardHand::perform(const KeyTouch& touch)
{
    NSObject* key = TRY(keyOf(touch, KeyboardKeys::keyplaneName().utf8()));
    if (touch.kind == TouchKind::SlideOnto)
        return slideOnto(key, touch);
    if (touch.kind == TouchKind::Tap)
        tap(key);
    else if (touch.kind == TouchKind::Variant)
        holdForVariant(key, touch.variant);
    else
        upward(key, upwardDistance(touch.kind));
    return {};
}

ErrorOr<void> KeyboardHand::perform(const std::vector<KeyTouch>& touches, TouchRhythm rhythm)
{
    std::vector<KeyTouch> rolled;
    for (const KeyTouch& touch : touches) {
        if (rhythm == TouchRhythm::OneAtATime) {
            TRY(perform(touch));
            continue;
        }
        if (touch.kind != TouchKind::Variant && touch.kind != TouchKind::SlideOnto) {
            rolled.push_back(touch);
            continue;
        }
        TRY(roll(rolled));
        rolled.clear();
        TRY(perform(touch));
    }
    return roll(rolled);
}

// Each key is committed when the next goes down, so every stroke's key is
// looked up on the keyplane it was found on, which the touches before it show.
ErrorOr<void> KeyboardHand::roll(const std::vector<KeyTouch>& touches)
{
    std::vector<KeyStroke> strokes;
    NSObject* key = nullptr;
    for (const KeyTouch& touch : touches) {
        key = TRY(keyOf(touch, touch.keyplane));
        strokes.push_back(
            { KeyboardKeys::centreOnScreen(key), static_cast<CGFloat>(upwardDistance(touch.kind)) });
    }
    play(rollKeyStrokes(strokes));
    if (key)
        lifted(key, { 0, -strokes.back().upward });
    return {};
}

void KeyboardHand::press(NSObject* key)
{
    m_pulse.step();
    m_fingers[1].down(m_window(), KeyboardKeys::centreOnScreen(key));
}

TouchPath KeyboardHand::lastPath() const
{
    TouchPath path;
    if (!m_lastKey)
        return path;
    path.down = KeyboardKeys::centreOnScreen(m_lastKey);
    path.lift = { path.down.x + m_lastShift.x, path.down.y + m_lastShift.y };
    path.keyWidth = send(m_lastKey, sel::frame).size.width;
    UIKeyboardLayoutStar* layout = KeyboardKeys::activeLayout();
    CGRect bounds = layout ? layout->bounds() : CGRectZero;
    path.keyboardMiddle
        = layout ? layout->convertPointToView({ bounds.midX(), bounds.midY() }, nullptr).x : 0;
    return path;
}

void KeyboardHand::tap(NSObject* key)
{
    press(key);
    m_fingers[1].lift();
    lifted(key);
}

void KeyboardHand::upward(NSObject* key, double distance)
{
    press(key);
    int steps = std::max(3, static_cast<int>(std::ceil(std::abs(distance) / gestureStep)));
    for (int step = 1; step <= steps; ++step)
        m_fingers[1].moveBy(0, static_cast<CGFloat>(-distance * step / steps));
    m_fingers[1].lift();
    lifted(key, { 0, static_cast<CGFloat>(-distance) });
}

ErrorOr<void> KeyboardHand::slideOnto(NSObject* key, const KeyTouch& touch)
{
    press(key);
    // The keyplane key acted as it went down: the target is on the keyplane it brought up.
    UIKeyboardLayoutStar* layout = KeyboardKeys::activeLayout();
    NSMutableArray* keys = send(send(layout, sel::keyplaneNamed, NSString(touch.targetKeyplane)), sel::keys);
    if (!keys || touch.target >= keys->count()) {
        m_fingers[1].cancel();
        return Error { "the keyplane " + touch.targetKeyplane + " has no key " + touch.targetName };
    }
    CGPoint start = KeyboardKeys::centreOnScreen(key);
    CGPoint end = KeyboardKeys::centreOnScreen(keys->objectAtIndex(touch.target).object());
    for (int step = 1; step <= slideOntoSteps; ++step) {
        CGFloat progress = static_cast<CGFloat>(step) / static_cast<CGFloat>(slideOntoSteps);
        m_fingers[1].move({ start.x + (end.x - start.x) * progress, start.y + (end.y - start.y) * progress });
    }
    m_fingers[1].lift();
    lifted(key, { end.x - start.x, end.y - start.y });
    return {};
}

void KeyboardHand::holdForVariant(NSObject* key, std::size_t variant)
{
    press(key);
    // Held for exactly as long as the keyboard's long-press timer runs, on the
    // virtual clock: the long press is the timer firing, not a guessed time.
    auto* keyboard = runtimeCast<UIKeyboardImpl>(send(UIKeyboardImpl::staticClass(), sel::activeInstance));
    if (keyboard && keyboard->isLongPressTimerScheduled())
        NSRunLoop::main().advanceBy(std::max(0.0, keyboard->longPressTimerFireTime() - KeyboardTimer::now()));
    UIKeyboardLayoutStar* layout = KeyboardKeys::activeLayout();
    CGPoint down = KeyboardKeys::centreOnScreen(key);
    CGPoint lift = down;
    if (UIKBVariantsView* variants = layout ? layout->variantsView() : nullptr) {
        CGRect balloon = variants->frame();
        lift.x = balloon.minX() + variants->cellWidth() * (static_cast<CGFloat>(variant) + 0.5f);
        m_fingers[1].move(lift);
    }
    m_fingers[1].lift();
    lifted(key, { lift.x - down.x, 0 });
}

double KeyboardHand::play(const std::vector<TouchStep>& steps)
{
    double played = 0;
    for (const TouchStep& step : steps) {
        m_pulse.step();
        NSRunLoop::main().advanceBy(step.time - played);
        played = step.time;
        Finger& finger = m_fingers[step.finger];
        switch (step.phase) {
        case UITouchPhase::Began:
            finger.down(m_window(), step.point);
            break;
        case UITouchPhase::Moved:
        case UITouchPhase::Stationary:
            finger.move(step.point);
            break;
        case UITouchPhase::Ended:
            finger.up(step.point);
            break;
        case UITouchPhase::Cancelled:
            finger.cancel();
            break;
        }
    }
    return played;
}
