#pragma once

#include "simulator/typing/TouchPlanner.h"
#include "simulator/typing/TouchTimeModel.h"

// The plan that types the text exactly in the least time under the model,
// starting in the table's state startState: a shortest path over (how much of
// the text is typed, state, thumbs), where the thumbs are what the time of
// the next touch depends on (where each thumb rests, which one touched last,
// and how long before that touch ended the other one was free) and a step
// costs how much later than the step before it ends. Ties go as in
// planTouches. The pulse steps once per node the search settles.
TouchPlan planFastest(const TouchTable& table, std::string_view text, std::size_t startState = 0,
    const TouchTimeModel& model = {}, WorkPulse pulse = {});
