#include "simulator/HostMain.h"

#include "simulator/AppHost.h"
#include "simulator/AppProcess.h"
#include "simulator/HostOptions.h"
#include "simulator/HostReply.h"
#include "simulator/LineChannel.h"
#include "simulator/ScriptLanguage.h"

#include <chrono>
#include <iostream>

namespace {

// How often a host on the real clock wakes up by itself to fire timers and
// take notifications while no command comes. A host on the virtual clock
// does nothing between commands: what it is sent meanwhile waits for the next.
constexpr std::chrono::milliseconds realClockTick { 10 };

// The command on the line; nothing for `quit`.
ErrorOr<std::optional<ScriptCommand>> readCommand(const std::string& line)
{
    auto parsed = parseScriptLine(line, ScriptSyntax::HostProtocol);
    if (!parsed)
        return Error { "the host could not read the command: " + parsed.error().message };
    if (!parsed.value())
        return Error { "the host was sent an empty command" };
    if (std::holds_alternative<command::Quit>(*parsed.value()))
        return std::optional<ScriptCommand>();
    return parsed.releaseValue();
}

} // namespace

int runHostProcess(const std::vector<std::string>& arguments)
{
    auto options = HostOptions::fromArguments(arguments);
    if (!options) {
        std::cerr << "corvane-sim: " << options.error().message << '\n';
        return 2;
    }
    LineChannel channel(AppProcess::commandDescriptor);
    AppHost host(options.value(), [&channel] { writeHostProgress(channel); });
    CommandResult boot = host.boot();
    if (!writeHostReply(channel, boot) || !boot)
        return 2;

    auto timeout = options.value().realClock ? realClockTick : std::chrono::milliseconds(-1);
    while (true) {
        auto request = channel.readLine(timeout);
        if (request.status == LineChannel::ReadStatus::Closed
            || request.status == LineChannel::ReadStatus::Interrupted)
            break;
        if (request.status == LineChannel::ReadStatus::TimedOut) {
            host.runRealClockTurn();
            continue;
        }
        auto command = readCommand(request.line);
        if (command && !command.value())
            break;
        CommandResult result = command ? host.perform(*command.value()) : CommandResult(command.error());
        if (!writeHostReply(channel, result))
            break;
    }
    host.shutDown();
    return 0;
}
