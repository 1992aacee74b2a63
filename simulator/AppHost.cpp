#include "simulator/AppHost.h"

#include <filesystem>

AppHost::AppHost(HostOptions options)
    : m_options(std::move(options))
{
}

AppHost::~AppHost() = default;

HostReply AppHost::boot()
{
    std::error_code error;
    if (!std::filesystem::is_directory(m_options.deviceRoot, error))
        return HostReply::error("the device root " + m_options.deviceRoot + " is not a folder");
    return HostReply::ok();
}

void AppHost::pump() { }

HostReply AppHost::perform(const ScriptCommand& command)
{
    pump();
    HostReply reply = execute(command);
    pump();
    return reply;
}

HostReply AppHost::execute(const ScriptCommand& command)
{
    return HostReply::error(
        std::string(commandWord(command.kind)) + " needs the platform's keyboard, which this build lacks");
}

void AppHost::shutDown() { }
