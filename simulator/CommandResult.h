#pragma once

#include "platform/foundation/ErrorOr.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// What a command that could be carried out came to: the lines it printed,
// for an expectation that did not hold, why not, and the seconds of the
// virtual clock it let pass in its app (rolled typing takes time). A command
// that could not be carried out at all is an Error instead.
struct CommandOutcome {
    std::vector<std::string> output;
    std::optional<std::string> unmetExpectation;
    double elapsed { 0 };

    static CommandOutcome printed(std::vector<std::string> lines)
    {
        return { std::move(lines), std::nullopt };
    }
    static CommandOutcome expectationFailed(std::string why) { return { {}, std::move(why) }; }
};

using CommandResult = ErrorOr<CommandOutcome>;

// A command that worked and printed nothing.
inline CommandResult commandDone()
{
    return CommandOutcome {};
}

// Carries on with a step that worked, or hands on why it did not.
inline CommandResult commandDoneIf(const ErrorOr<void>& step)
{
    if (!step)
        return step.error();
    return commandDone();
}
