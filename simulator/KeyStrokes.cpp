#include "simulator/KeyStrokes.h"

#include "contracts/CorvaneContract.h"
#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKBValues.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "simulator/KeyboardKeys.h"
#include "simulator/ScriptText.h"
#include "simulator/SystemKeyboard.h"

#include <algorithm>
#include <optional>

namespace {

// The keyplanes the platform's shift state shows.
const NSString smallLetters("Small-Letters");
const NSString capitalLetters("Capital-Letters");

// What the keyboard will show once the strokes planned so far have been
// typed: each is committed before the next key's touch is hit-tested.
struct KeyboardState {
    NSString keyplane;
    bool shifted { false };
    bool shiftLocked { false };
    // The letters' shift key is held down for the next key.
    bool shiftHeld { false };
};

struct Candidate {
    NSObject* key { nullptr };
    bool gesture { false };
    std::string typed;
};

std::vector<NSObject*> keysOf(const NSString& keyplane)
{
    std::vector<NSObject*> keys;
    NSObject* plane = send(KeyboardKeys::activeLayout(), sel::keyplaneNamed, keyplane);
    NSMutableArray* list = send(plane, sel::keys);
    for (std::size_t index = 0; list && index < list->count(); ++index)
        keys.push_back(list->objectAtIndex(index).object());
    return keys;
}

bool isLettersKeyplane(const NSString& keyplane)
{
    NSObject* plane = send(KeyboardKeys::activeLayout(), sel::keyplaneNamed, keyplane);
    return send(plane, sel::componentName).containsString("Letters", NSCaseInsensitiveSearch);
}

// What a tap on the key types, as the platform types it on touch up.
std::string tapped(NSObject* key)
{
    switch (send(key, sel::displayType)) {
    case UIKBKeyDisplayTypeString:
    case UIKBKeyDisplayTypeDynamicString:
    case UIKBKeyDisplayTypeSpace:
    case UIKBKeyDisplayTypeReturn: {
        NSString represented = send(key, sel::representedString);
        return represented.isNil() ? std::string() : represented.utf8();
    }
    default:
        return {};
    }
}

// The key of the keyplane that types the longest start of the text; a tap
// wins over a gesture that types as much.
std::optional<Candidate> bestKeyFor(
    const std::string& rest, const KeyboardState& state, const NSString& gestureKeyplane)
{
    bool gesturesWork = !state.shifted && state.keyplane.isEqualToString(gestureKeyplane);
    std::optional<Candidate> best;
    auto consider = [&](NSObject* key, bool gesture, const std::string& typed) {
        if (typed.empty() || !rest.starts_with(typed))
            return;
        if (!best || typed.size() > best->typed.size())
            best = Candidate { key, gesture, typed };
    };
    for (NSObject* key : keysOf(state.keyplane))
        consider(key, false, tapped(key));
    if (gesturesWork) {
        for (NSObject* key : keysOf(state.keyplane)) {
            NSString alternate = KeyboardKeys::property(key, contract::alternateEntry);
            consider(key, true, alternate.isNil() ? std::string() : alternate.utf8());
        }
    }
    return best;
}

// Typing a character ends a single shift, and a shift held as a modifier.
KeyboardState afterTyping(KeyboardState state)
{
    if (state.shifted && !state.shiftLocked && isLettersKeyplane(state.keyplane)) {
        state.shifted = false;
        state.keyplane = smallLetters;
    }
    state.shiftHeld = false;
    return state;
}

// Where a shift or keyplane key takes the keyboard; nothing for other keys.
std::optional<KeyboardState> afterSwitching(NSObject* key, KeyboardState state)
{
    int type = send(key, sel::displayType);
    if (type != UIKBKeyDisplayTypeShift && type != UIKBKeyDisplayTypeMore)
        return std::nullopt;
    NSString target = KeyboardKeys::property(key, UIKBProperty::keyplaneSwitch);
    if (target.isNil()) {
        // The letters' shift key, held while the next key goes down, shifts for that key.
        if (type != UIKBKeyDisplayTypeShift || state.shifted)
            return std::nullopt;
        state.shifted = true;
        state.shiftHeld = true;
        state.keyplane = capitalLetters;
        return state;
    }
    state.keyplane = target.isEqualToString(smallLetters) && state.shifted ? capitalLetters : target;
    return state;
}

KeyStroke strokeOn(NSObject* key, bool gesture, CGFloat upward)
{
    return { KeyboardKeys::centreOnScreen(key), gesture ? upward : 0 };
}

std::string firstCharacter(const std::string& text)
{
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80)
        ++length;
    return text.substr(0, length);
}

// The shift and keyplane keys to press, fewest first, before a key types the
// start of the text, and the state they leave the keyboard in.
struct Route {
    std::vector<NSObject*> switches;
    KeyboardState state;
    Candidate typing;
};

// Enough for any keyplane of a keyboard from any other (letters, numbers,
// their alternates, with shift).
constexpr int maximumSwitches = 3;

bool isSameState(const KeyboardState& first, const KeyboardState& second)
{
    return first.keyplane.isEqualToString(second.keyplane) && first.shifted == second.shifted;
}

// A breadth-first search over the keyboard's states. The letters' shift key
// is only ever the last switch: held as a modifier, it shifts the next key alone.
std::optional<Route> routeTo(
    const std::string& rest, const KeyboardState& start, const NSString& gestureKeyplane)
{
    std::vector<Route> frontier { Route { {}, start, {} } };
    std::vector<KeyboardState> seen { start };
    for (int switches = 0; switches <= maximumSwitches && !frontier.empty(); ++switches) {
        for (Route& route : frontier) {
            if (std::optional<Candidate> typing = bestKeyFor(rest, route.state, gestureKeyplane)) {
                route.typing = *typing;
                return route;
            }
        }
        std::vector<Route> next;
        for (const Route& route : frontier) {
            if (route.state.shiftHeld)
                continue;
            for (NSObject* key : keysOf(route.state.keyplane)) {
                std::optional<KeyboardState> switched = afterSwitching(key, route.state);
                if (!switched)
                    continue;
                bool known = std::any_of(seen.begin(), seen.end(),
                    [&](const KeyboardState& state) { return isSameState(state, *switched); });
                if (known)
                    continue;
                seen.push_back(*switched);
                Route longer = route;
                longer.switches.push_back(key);
                longer.state = *switched;
                next.push_back(std::move(longer));
            }
        }
        frontier = std::move(next);
    }
    return std::nullopt;
}

} // namespace

ErrorOr<std::vector<KeyStroke>> planKeyStrokes(const std::string& text, CGFloat upward)
{
    if (!KeyboardKeys::activeLayout())
        return Error { "no keyboard is on screen; focus a text field first with keyboard (or tap-text)" };
    KeyboardState state { KeyboardKeys::keyplaneName(), SystemKeyboard::isShifted(),
        SystemKeyboard::isShiftLocked() };
    const NSString gestureKeyplane = state.keyplane;
    std::vector<KeyStroke> strokes;
    std::string rest = text;
    while (!rest.empty()) {
        std::optional<Route> route = routeTo(rest, state, gestureKeyplane);
        if (!route)
            return Error { "no key types " + quoteScriptString(firstCharacter(rest)) + " from the keyplane "
                + quoteScriptString(state.keyplane.utf8()) + " in at most "
                + std::to_string(maximumSwitches + 1) + " key presses" };
        for (NSObject* key : route->switches)
            strokes.push_back(strokeOn(key, false, upward));
        strokes.push_back(strokeOn(route->typing.key, route->typing.gesture, upward));
        rest.erase(0, route->typing.typed.size());
        state = afterTyping(route->state);
    }
    return strokes;
}
