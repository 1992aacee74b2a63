#include "simulator/typing/KeyboardExplorer.h"

#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKBValues.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/uikit/UITextField.h"
#include "simulator/KeyboardKeys.h"
#include "simulator/SystemKeyboard.h"
#include "simulator/typing/KeyboardHand.h"

namespace {

// A touch, or two touches rolled together.
using TouchGroup = std::vector<KeyTouch>;

bool isLeftUntouched(int displayType)
{
    return displayType == UIKBKeyDisplayTypeDelete || displayType == UIKBKeyDisplayTypeReturn
        || displayType == UIKBKeyDisplayTypeInternational;
}

// Every touch worth trying on the keyplane shown, key by key.
std::vector<KeyTouch> touchesOnScreen()
{
    std::vector<KeyTouch> touches;
    std::vector<NSObject*> keys = KeyboardKeys::keys();
    std::string keyplane = KeyboardKeys::keyplaneName().utf8();
    for (std::size_t index = 0; index < keys.size(); ++index) {
        NSObject* key = keys[index];
        int displayType = send(key, sel::displayType);
        if (isLeftUntouched(displayType))
            continue;
        std::string name = KeyboardKeys::scriptName(key);
        KeyTouch tap;
        tap.key = index;
        tap.keyName = name;
        tap.keyplane = keyplane;
        touches.push_back(tap);
        if (!UIKeyboardLayoutStar::isCharacterKey(key))
            continue;
        for (TouchKind upward : { TouchKind::Slide, TouchKind::Flick }) {
            touches.push_back(tap);
            touches.back().kind = upward;
        }
        NSMutableDictionary* properties = send(key, sel::properties);
        NSMutableArray* variants
            = properties ? properties->objectForKey(UIKBProperty::variants).array() : nullptr;
        for (std::size_t variant = 0; variants && variant < variants->count(); ++variant) {
            touches.push_back(tap);
            touches.back().kind = TouchKind::Variant;
            touches.back().variant = variant;
            touches.back().variantText = variants->objectAtIndex(variant).string().utf8();
        }
    }
    return touches;
}

bool onlySwitches(const TouchOutcome& outcome, std::size_t from)
{
    return outcome.touches.size() == 1 && outcome.typed.empty() && outcome.nextState != from;
}

// The slides from a keyplane key onto each character key of the keyplane its
// tap brings up.
std::vector<KeyTouch> slidesOnto(const KeyTouch& keyplaneKey, const std::string& keyplane)
{
    std::vector<KeyTouch> touches;
    NSMutableArray* keys
        = send(send(KeyboardKeys::activeLayout(), sel::keyplaneNamed, NSString(keyplane)), sel::keys);
    for (std::size_t index = 0; keys && index < keys->count(); ++index) {
        NSObject* key = keys->objectAtIndex(index).object();
        if (!UIKeyboardLayoutStar::isCharacterKey(key))
            continue;
        KeyTouch slide = keyplaneKey;
        slide.kind = TouchKind::SlideOnto;
        slide.target = index;
        slide.targetKeyplane = keyplane;
        slide.targetName = KeyboardKeys::scriptName(key);
        touches.push_back(std::move(slide));
    }
    return touches;
}

class Exploration {
public:
    Exploration(KeyboardHand& hand, UITextField& field, TouchRhythm rhythm)
        : m_hand(hand)
        , m_field(field)
        , m_rhythm(rhythm)
    {
    }

    ErrorOr<TouchTable> run();

private:
    bool reach(std::size_t state);
    // What the touches do from the state, or nothing when the state could not be reached.
    ErrorOr<std::optional<TouchOutcome>> probe(std::size_t state, const TouchGroup& touches);
    ErrorOr<void> exploreTouches(std::size_t state);
    ErrorOr<void> exploreOverlaps(std::size_t state);
    ErrorOr<bool> overlapsAlike(
        std::size_t state, const TouchOutcome& switching, std::vector<TouchOutcome>& pairs);

    KeyboardHand& m_hand;
    UITextField& m_field;
    TouchRhythm m_rhythm;
    KeyboardState m_start;
    TouchTable m_table;
    // By state: the touches that first led there from the start, and what
    // each touch on its own did there.
    std::vector<std::vector<TouchGroup>> m_paths;
    std::vector<std::vector<TouchOutcome>> m_singles;
};

bool Exploration::reach(std::size_t state)
{
    putKeyboardIn(m_start);
    for (const TouchGroup& touches : m_paths[state]) {
        if (!m_hand.perform(touches, m_rhythm))
            return false;
    }
    return KeyboardState::current() == m_table.states[state];
}

ErrorOr<std::optional<TouchOutcome>> Exploration::probe(std::size_t state, const TouchGroup& touches)
{
    if (!reach(state))
        return std::optional<TouchOutcome>();
    m_field.setText("");
    TRY(m_hand.perform(touches, m_rhythm));
    // A pair is made of touches already tried on their own, paths and all.
    TouchGroup made = touches;
    if (made.size() == 1)
        made.front().path = m_hand.lastPath();
    KeyboardState after = KeyboardState::current();
    if (after.keyplane.empty())
        return Error { "the keyboard left the screen after " + touches.back().description() };
    std::size_t next = m_table.add(after);
    if (next == m_paths.size()) {
        m_paths.push_back(m_paths[state]);
        m_paths.back().push_back(made);
        m_singles.emplace_back();
    }
    return std::optional(TouchOutcome { made, m_field.text().utf8(), next });
}

ErrorOr<void> Exploration::exploreTouches(std::size_t state)
{
    if (!reach(state))
        return {};
    for (const KeyTouch& touch : touchesOnScreen()) {
        std::optional<TouchOutcome> outcome = TRY(probe(state, { touch }));
        if (outcome)
            m_singles[state].push_back(*outcome);
    }
    std::vector<KeyTouch> slides;
    for (const TouchOutcome& outcome : m_singles[state]) {
        if (onlySwitches(outcome, state) && outcome.touches.front().kind == TouchKind::Tap) {
            std::vector<KeyTouch> onto
                = slidesOnto(outcome.touches.front(), m_table.states[outcome.nextState].keyplane);
            slides.insert(slides.end(), onto.begin(), onto.end());
        }
    }
    for (const KeyTouch& touch : slides) {
        std::optional<TouchOutcome> outcome = TRY(probe(state, { touch }));
        if (outcome)
            m_singles[state].push_back(*outcome);
    }
    m_table.outcomes[state] = m_singles[state];
    return {};
}

// Whether the switching touch, rolled with each touch that can follow it, does
// what the two do one after the other; the pairs as they were seen go to pairs.
ErrorOr<bool> Exploration::overlapsAlike(
    std::size_t state, const TouchOutcome& switching, std::vector<TouchOutcome>& pairs)
{
    bool alike = true;
    for (const TouchOutcome& following : m_singles[switching.nextState]) {
        TouchGroup pair { switching.touches.front(), following.touches.front() };
        TouchKind kind = following.touches.front().kind;
        if (kind == TouchKind::Variant || kind == TouchKind::SlideOnto) {
            // A held or sliding touch is never rolled: the pair is the two one after the other.
            pairs.push_back({ pair, following.typed, following.nextState });
            continue;
        }
        std::optional<TouchOutcome> rolled = TRY(probe(state, pair));
        if (!rolled)
            continue;
        alike = alike && rolled->typed == following.typed && rolled->nextState == following.nextState;
        // A pair that ends on a keyplane or shift key is not kept: that key
        // would still be down as the next key goes down, and a shift held so
        // acts on it. A slide from the key onto the next one does the same work.
        if (!onlySwitches(following, switching.nextState))
            pairs.push_back(*rolled);
    }
    return alike;
}

ErrorOr<void> Exploration::exploreOverlaps(std::size_t state)
{
    std::vector<TouchOutcome> kept;
    std::vector<TouchOutcome> pairs;
    for (const TouchOutcome& outcome : m_singles[state]) {
        if (!onlySwitches(outcome, state)) {
            kept.push_back(outcome);
            continue;
        }
        std::vector<TouchOutcome> overlapping;
        bool alike = TRY(overlapsAlike(state, outcome, overlapping));
        if (alike)
            kept.push_back(outcome);
        else
            pairs.insert(pairs.end(), overlapping.begin(), overlapping.end());
    }
    kept.insert(kept.end(), pairs.begin(), pairs.end());
    m_table.outcomes[state] = std::move(kept);
    return {};
}

ErrorOr<TouchTable> Exploration::run()
{
    m_start = KeyboardState::current();
    if (m_start.keyplane.empty())
        return Error { KeyboardKeys::noKeyboardOnScreen };
    const NSString keptText = m_field.text();
    m_table.add(m_start);
    m_paths.emplace_back();
    m_singles.emplace_back();

    // States are appended as they are found, so this goes breadth first. A
    // state's overlaps are tried once every state known has had its touches
    // tried, since they are compared with what the following touches do.
    std::size_t touched = 0;
    std::size_t overlapped = 0;
    bool rolled = m_rhythm == TouchRhythm::Rolled;
    while (touched < m_table.states.size()) {
        while (touched < m_table.states.size())
            TRY(exploreTouches(touched++));
        while (rolled && overlapped < touched)
            TRY(exploreOverlaps(overlapped++));
    }

    putKeyboardIn(m_start);
    m_field.setText(keptText);
    return std::move(m_table);
}

} // namespace

void putKeyboardIn(const KeyboardState& state)
{
    NSObject* keyboard = send(UIKeyboardImpl::staticClass(), sel::activeInstance);
    send(keyboard, sel::setShift, false);
    if (state.shiftLocked)
        send(keyboard, sel::setShiftLocked, true);
    else if (state.shifted)
        send(keyboard, sel::setShift, true);
    send(KeyboardKeys::activeLayout(), sel::setKeyplaneName, NSString(state.keyplane));
    SystemKeyboard::setAwaitsShiftDoubleTap(state.awaitsShiftDoubleTap);
}

ErrorOr<TouchTable> exploreKeyboard(KeyboardHand& hand, UITextField& field, TouchRhythm rhythm)
{
    Exploration exploration(hand, field, rhythm);
    return exploration.run();
}
