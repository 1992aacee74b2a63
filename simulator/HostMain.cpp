#include "simulator/HostMain.h"

#include "simulator/AppHost.h"
#include "simulator/AppProcess.h"
#include "simulator/HostOptions.h"
#include "simulator/HostReply.h"
#include "simulator/LineChannel.h"
#include "simulator/ScriptParser.h"

#include <chrono>
#include <iostream>

namespace {

// How often a host on the real clock wakes up by itself to fire timers and
// take notifications while no command comes.
constexpr std::chrono::milliseconds realClockTick { 10 };

} // namespace

int runHostProcess(const std::vector<std::string>& arguments)
{
    auto options = HostOptions::fromArguments(arguments);
    if (!options) {
        std::cerr << "corvane-sim: this mode is started by corvane-sim itself, not by hand\n";
        return 2;
    }
    LineChannel channel(AppProcess::commandDescriptor);
    AppHost host(*options);
    HostReply boot = host.boot();
    if (!writeHostReply(channel, boot) || boot.status != HostReply::Status::Ok)
        return 2;

    while (true) {
        auto timeout = options->realClock ? realClockTick : std::chrono::milliseconds(-1);
        auto request = channel.readLine(timeout);
        if (request.status == LineChannel::ReadStatus::Closed)
            break;
        if (request.status == LineChannel::ReadStatus::TimedOut) {
            host.pump();
            continue;
        }
        ParsedLine parsed = parseScriptLine(request.line, 0, ScriptSyntax::HostProtocol);
        if (parsed.command && parsed.command->kind == ScriptCommandKind::Quit)
            break;
        HostReply reply;
        if (parsed.error)
            reply = HostReply::error("the host could not read the command: " + *parsed.error);
        else if (parsed.command)
            reply = host.perform(*parsed.command);
        else
            reply = HostReply::error("the host was sent an empty command");
        if (!writeHostReply(channel, reply))
            break;
    }
    host.shutDown();
    return 0;
}
