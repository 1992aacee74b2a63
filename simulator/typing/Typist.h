#pragma once

#include "platform/foundation/ErrorOr.h"
#include "simulator/typing/KeyboardHand.h"
#include "simulator/typing/TimePlanner.h"
#include "simulator/typing/TouchTimeModel.h"

#include <array>
#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>

class UITextField;

// What typing a text came to.
struct TypingReport {
    std::size_t touches { 0 };
    // How long the touches made take under each time model asked for, in ms.
    std::vector<std::int64_t> milliseconds;
    // The text was not typed because of this character.
    std::optional<UntypableCharacter> untypable;
    // The keyboard did something else than it did while it was explored: what.
    std::optional<std::string> astray;
};

// Types texts into a field with the fewest touches. It learns the keyboard
// by touching it (exploreKeyboard) the first time and keeps what it learnt
// until told to forget it, because that is most of the work. Typing one touch
// at a time, every touch is then checked against what was learnt, and a
// keyboard that answers otherwise is explored again once before the typist
// gives up; rolled, the text and the state are checked once the fingers are
// off the keyboard.
class Typist {
public:
    // signOfLife, when given, is called now and then while a long text is
    // planned, to tell the driver the host is at work.
    explicit Typist(KeyboardHand& hand, std::function<void()> signOfLife = {})
        : m_hand(hand)
        , m_signOfLife(std::move(signOfLife))
    {
    }

    // The longest text, in bytes of UTF-8, that is planned and typed in one
    // go: planning needs a few hundred bytes for each byte of the text, over
    // a kilobyte when it plans for time.
    static constexpr std::size_t longestText = 1'000'000;

    // The keyboard, its settings or the app changed.
    void forgetKeyboard();

    // The touches that would type the text from the keyboard's present state,
    // the fewest or the fastest under the nominal time model.
    ErrorOr<TouchPlan> plan(
        UITextField& field, std::string_view text, TouchRhythm rhythm, PlanCost cost = PlanCost::Touches);
    // Types the text at the end of the field's text, and times the touches
    // made with each of the models.
    ErrorOr<TypingReport> type(UITextField& field, std::string_view text, TouchRhythm rhythm,
        PlanCost cost = PlanCost::Touches, std::span<const TouchTimeModel> timedWith = {});

private:
    // The number of the keyboard's present state in the rhythm's table,
    // exploring when the state is not known yet.
    ErrorOr<std::size_t> knownState(UITextField& field, TouchRhythm rhythm);
    std::optional<TouchTable>& table(TouchRhythm rhythm)
    {
        return m_tables[static_cast<std::size_t>(rhythm)];
    }
    ErrorOr<TypingReport> typeOneAtATime(
        UITextField& field, std::string_view text, PlanCost cost, std::span<const TouchTimeModel> timedWith);
    ErrorOr<TypingReport> typeRolled(
        UITextField& field, std::string_view text, PlanCost cost, std::span<const TouchTimeModel> timedWith);

    KeyboardHand& m_hand;
    std::function<void()> m_signOfLife;
    std::array<std::optional<TouchTable>, 2> m_tables;
};
