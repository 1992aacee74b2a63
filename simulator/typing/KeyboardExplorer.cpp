#include "simulator/typing/KeyboardExplorer.h"

#include "platform/keyboard/UIKBTree.h"
#include "platform/keyboard/UIKBValues.h"
#include "platform/keyboard/UIKeyboardImpl.h"
#include "platform/keyboard/UIKeyboardLayoutStar.h"
#include "platform/uikit/UITextField.h"
#include "simulator/KeyboardKeys.h"
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
        touches.push_back({ TouchKind::Tap, index, 0, name, {}, keyplane });
        if (!UIKeyboardLayoutStar::isCharacterKey(key))
            continue;
        touches.push_back({ TouchKind::Slide, index, 0, name, {}, keyplane });
        touches.push_back({ TouchKind::Flick, index, 0, name, {}, keyplane });
        NSMutableDictionary* properties = send(key, sel::properties);
        NSMutableArray* variants
            = properties ? properties->objectForKey(UIKBProperty::variants).array() : nullptr;
        for (std::size_t variant = 0; variants && variant < variants->count(); ++variant)
            touches.push_back({ TouchKind::Variant, index, variant, name,
                variants->objectAtIndex(variant).string().utf8(), keyplane });
    }
    return touches;
}

bool onlySwitches(const TouchOutcome& outcome, std::size_t from)
{
    return outcome.touches.size() == 1 && outcome.typed.empty() && outcome.nextState != from;
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
    KeyboardState after = KeyboardState::current();
    if (after.keyplane.empty())
        return Error { "the keyboard left the screen after " + touches.back().description() };
    std::size_t next = m_table.add(after);
    if (next == m_paths.size()) {
        m_paths.push_back(m_paths[state]);
        m_paths.back().push_back(touches);
        m_singles.emplace_back();
    }
    return std::optional(TouchOutcome { touches, m_field.text().utf8(), next });
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
        if (following.touches.front().kind == TouchKind::Variant) {
            // A held touch is never rolled: the pair is the two one after the other.
            pairs.push_back({ pair, following.typed, following.nextState });
            continue;
        }
        std::optional<TouchOutcome> rolled = TRY(probe(state, pair));
        if (!rolled)
            continue;
        alike = alike && rolled->typed == following.typed && rolled->nextState == following.nextState;
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
}

ErrorOr<TouchTable> exploreKeyboard(KeyboardHand& hand, UITextField& field, TouchRhythm rhythm)
{
    Exploration exploration(hand, field, rhythm);
    return exploration.run();
}
