#include "simulator/Driver.h"

#include "simulator/HostOptions.h"

#include <filesystem>
#include <ostream>

Driver::Driver(Settings settings)
    : m_settings(std::move(settings))
    , m_front(m_settings.firstApp)
{
}

Driver::~Driver()
{
    stopAll();
}

void Driver::stopAll()
{
    for (auto& entry : m_hosts)
        entry.second->stop();
    m_hosts.clear();
    m_frameBuffers.clear();
}

std::string Driver::displayName(const std::string& app)
{
    if (app == "settings")
        return "Settings";
    if (app == "notes")
        return "Notes";
    return "keyboard test";
}

FrameBuffer* Driver::frameBuffer(const std::string& app)
{
    auto found = m_frameBuffers.find(app);
    return found == m_frameBuffers.end() ? nullptr : &found->second;
}

AppProcess* Driver::hostFor(const std::string& app, HostReply& failure)
{
    auto found = m_hosts.find(app);
    if (found != m_hosts.end() && found->second->isRunning())
        return found->second.get();

    if (m_progress)
        m_progress("starting the " + displayName(app) + " app in a process of its own");
    HostOptions options;
    options.app = app;
    options.deviceRoot = m_settings.deviceRoot;
    options.locale = m_settings.locale;
    options.orientation = m_settings.orientation;
    options.realClock = m_settings.realClock;
    options.hasFrameBuffer = m_settings.withFrameBuffers;

    int frameDescriptor = -1;
    if (options.hasFrameBuffer) {
        FrameBuffer buffer = FrameBuffer::create();
        if (!buffer.isValid()) {
            failure
                = HostReply::error("cannot make a shared frame buffer for the " + displayName(app) + " app");
            return nullptr;
        }
        frameDescriptor = buffer.descriptor();
        m_frameBuffers.insert_or_assign(app, std::move(buffer));
    }

    std::vector<std::string> arguments = options.toArguments();
    arguments.insert(arguments.begin(), m_settings.executable);
    std::string error;
    auto host = AppProcess::start(displayName(app), arguments, frameDescriptor, error);
    if (!host) {
        failure = HostReply::error("cannot start the " + displayName(app) + " app: " + error);
        return nullptr;
    }
    // A host answers once it has booted: ok, or why it could not.
    HostReply boot = host->readReply();
    if (boot.status != HostReply::Status::Ok) {
        failure = HostReply::error(boot.message);
        return nullptr;
    }
    AppProcess* started = host.get();
    m_hosts[app] = std::move(host);
    return started;
}

AppProcess* Driver::frontHost(HostReply& failure)
{
    return hostFor(m_front, failure);
}

HostReply Driver::forwardToAll(const ScriptCommand& command)
{
    HostReply reply = HostReply::ok();
    for (auto& entry : m_hosts) {
        if (!entry.second->isRunning())
            continue;
        HostReply answer = entry.second->request(command.toLine());
        if (answer.status != HostReply::Status::Ok)
            return answer;
        if (entry.first == m_front)
            reply = answer;
    }
    return reply;
}

HostReply Driver::execute(const ScriptCommand& command)
{
    ScriptCommand sent = command;
    switch (command.kind) {
    case ScriptCommandKind::App: {
        HostReply failure;
        if (!hostFor(command.name, failure))
            return failure;
        m_front = command.name;
        break;
    }
    case ScriptCommandKind::Locale:
        // Apps started later boot with it; running ones switch now.
        m_settings.locale = command.name;
        return forwardToAll(command);
    case ScriptCommandKind::Orientation:
        m_settings.orientation = command.name;
        return forwardToAll(command);
    case ScriptCommandKind::Wait:
        // Time passes for every app, in front or not.
        if (m_hosts.empty())
            break;
        return forwardToAll(command);
    case ScriptCommandKind::Snapshot:
        // Hosts write where the person running the script is.
        sent.name = std::filesystem::absolute(command.name).string();
        break;
    default:
        break;
    }

    HostReply failure;
    AppProcess* host = frontHost(failure);
    if (!host)
        return failure;
    return host->request(sent.toLine());
}

int Driver::runScript(
    const std::string& fileName, const ParsedScript& script, std::ostream& output, std::ostream& errors)
{
    // A script that does not parse runs not even its first lines.
    if (script.error) {
        errors << script.error->format() << '\n';
        return 2;
    }
    for (const ScriptCommand& command : script.commands) {
        HostReply reply = execute(command);
        for (const std::string& line : reply.output)
            output << line << '\n';
        output.flush();
        if (reply.status == HostReply::Status::Ok)
            continue;
        errors << ScriptError { fileName, command.line, reply.message }.format() << '\n';
        return reply.status == HostReply::Status::Failed ? 1 : 2;
    }
    return 0;
}
