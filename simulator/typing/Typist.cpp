#include "simulator/typing/Typist.h"

#include "platform/uikit/UITextField.h"
#include "simulator/ScriptText.h"
#include "simulator/typing/KeyboardExplorer.h"
#include "simulator/typing/TwoThumbClock.h"

#include <algorithm>
#include <new>

namespace {

std::string describe(const std::vector<KeyTouch>& touches)
{
    std::string words;
    for (const KeyTouch& touch : touches)
        words += (words.empty() ? "" : ", ") + touch.description();
    return words;
}

// Some tens of milliseconds of the search.
constexpr std::size_t nodesSettledPerSignOfLife = 1 << 16;

std::string mistyped(const std::string& touches, const std::string& got, const std::string& due)
{
    return touches + " typed " + quoteScriptString(got) + " where " + quoteScriptString(due) + " was due";
}

ErrorOr<void> refuseTooLong(std::string_view text)
{
    if (text.size() <= Typist::longestText)
        return {};
    return Error { "the text is " + std::to_string(text.size()) + " bytes long; at most "
        + std::to_string(Typist::longestText) + " are typed in one go" };
}

// One clock for each time model the typing is timed with.
class TypingClocks {
public:
    explicit TypingClocks(std::span<const TouchTimeModel> models)
        : m_clocks(models.begin(), models.end())
    {
    }

    void touch(const std::vector<KeyTouch>& touches)
    {
        for (TwoThumbClock& clock : m_clocks)
            clock.touch(touches);
    }
    void elapsedInto(std::vector<std::int64_t>& times) const
    {
        times.resize(m_clocks.size());
        for (std::size_t index = 0; index < m_clocks.size(); ++index)
            times[index] = m_clocks[index].elapsed();
    }

private:
    std::vector<TwoThumbClock> m_clocks;
};

} // namespace

void Typist::forgetKeyboard()
{
    for (std::optional<TouchTable>& known : m_tables)
        known.reset();
}

ErrorOr<std::size_t> Typist::knownState(UITextField& field, TouchRhythm rhythm)
{
    std::optional<TouchTable>& known = table(rhythm);
    if (known) {
        if (std::optional<std::size_t> state = known->find(KeyboardState::current()))
            return *state;
    }
    known = TRY(exploreKeyboard(m_hand, field, rhythm));
    return 0;
}

ErrorOr<TouchPlan> Typist::plan(UITextField& field, std::string_view text, TouchRhythm rhythm, PlanCost cost)
{
    TRY(refuseTooLong(text));
    std::size_t start = TRY(knownState(field, rhythm));
    // The search's tables grow with the text; memory that runs out is this
    // command's error, not the end of the app.
    try {
        WorkPulse pulse(m_signOfLife, nodesSettledPerSignOfLife);
        if (cost == PlanCost::Time)
            return planFastest(*table(rhythm), text, start, TouchTimeModel(), pulse);
        return planTouches(*table(rhythm), text, start, pulse);
    } catch (const std::bad_alloc&) {
        return Error { "there is not enough memory to plan a text of " + std::to_string(text.size())
            + " bytes" };
    }
}

ErrorOr<TypingReport> Typist::type(UITextField& field, std::string_view text, TouchRhythm rhythm,
    PlanCost cost, std::span<const TouchTimeModel> timedWith)
{
    TRY(refuseTooLong(text));
    if (rhythm == TouchRhythm::Rolled)
        return typeRolled(field, text, cost, timedWith);
    return typeOneAtATime(field, text, cost, timedWith);
}

ErrorOr<TypingReport> Typist::typeOneAtATime(
    UITextField& field, std::string_view text, PlanCost cost, std::span<const TouchTimeModel> timedWith)
{
    TypingReport report;
    TypingClocks clocks(timedWith);
    clocks.elapsedInto(report.milliseconds);
    const std::string before = field.text().utf8();
    std::size_t typed = 0;
    bool exploredAgain = false;
    while (typed < text.size()) {
        TouchPlan plan = TRY(this->plan(field, text.substr(typed), TouchRhythm::OneAtATime, cost));
        if (plan.untypable) {
            plan.untypable->offset += typed;
            report.untypable = plan.untypable;
            return report;
        }
        const TouchTable& known = *table(TouchRhythm::OneAtATime);
        std::optional<std::string> surprise;
        for (const PlannedStep& step : plan.steps) {
            TRY(m_hand.perform(step.touches, TouchRhythm::OneAtATime));
            report.touches += step.touches.size();
            clocks.touch(step.touches);
            clocks.elapsedInto(report.milliseconds);
            // Only what this step added is compared, so that a long line costs
            // in proportion to its length; the whole text is compared at the end.
            const std::string& got = field.text().utf8();
            std::size_t end = before.size() + typed;
            if (got.size() != end + step.typed.size()
                || got.compare(end, step.typed.size(), step.typed) != 0) {
                std::string due = std::string(text.substr(0, typed)) + step.typed;
                report.astray
                    = mistyped(describe(step.touches), got.substr(std::min(got.size(), before.size())), due);
                return report;
            }
            typed += step.typed.size();
            KeyboardState state = KeyboardState::current();
            const KeyboardState& planned = known.states[step.stateAfter];
            if (state != planned) {
                surprise = describe(step.touches) + " left the keyboard on " + state.description()
                    + " instead of " + planned.description();
                break;
            }
        }
        if (!surprise)
            break;
        // The text so far is right, but the keyboard went elsewhere than it
        // did while it was explored: learn it again, once, and go on from there.
        forgetKeyboard();
        if (typed == text.size())
            break;
        if (exploredAgain) {
            report.astray = surprise;
            return report;
        }
        exploredAgain = true;
    }
    const std::string& got = field.text().utf8();
    if (got.compare(0, before.size(), before) != 0
        || got.compare(before.size(), std::string::npos, text) != 0)
        report.astray
            = mistyped("typing", got.substr(std::min(got.size(), before.size())), std::string(text));
    return report;
}

ErrorOr<TypingReport> Typist::typeRolled(
    UITextField& field, std::string_view text, PlanCost cost, std::span<const TouchTimeModel> timedWith)
{
    TypingReport report;
    const std::string before = field.text().utf8();
    TouchPlan plan = TRY(this->plan(field, text, TouchRhythm::Rolled, cost));
    if (plan.untypable) {
        report.untypable = plan.untypable;
        return report;
    }
    std::vector<KeyTouch> touches;
    for (const PlannedStep& step : plan.steps)
        touches.insert(touches.end(), step.touches.begin(), step.touches.end());
    TRY(m_hand.perform(touches, TouchRhythm::Rolled));
    report.touches = touches.size();
    TypingClocks clocks(timedWith);
    clocks.touch(touches);
    clocks.elapsedInto(report.milliseconds);
    std::string got = field.text().utf8();
    if (got != before + std::string(text)) {
        report.astray
            = mistyped("rolling", got.substr(std::min(got.size(), before.size())), std::string(text));
        return report;
    }
    // A keyboard left elsewhere than planned is learnt again before the next text.
    if (!plan.steps.empty()) {
        const TouchTable& known = *table(TouchRhythm::Rolled);
        if (KeyboardState::current() != known.states[plan.steps.back().stateAfter])
            forgetKeyboard();
    }
    return report;
}
