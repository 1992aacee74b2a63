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

FrameBuffer* Driver::frameBuffer(AppKind app)
{
    auto found = m_frameBuffers.find(app);
    return found == m_frameBuffers.end() ? nullptr : &found->second;
}

ErrorOr<AppProcess*> Driver::hostFor(AppKind app)
{
    auto found = m_hosts.find(app);
    if (found != m_hosts.end() && found->second->isRunning())
        return found->second.get();

    std::string name(appDisplayName(app));
    HostOptions options;
    options.app = app;
    options.deviceRoot = m_settings.deviceRoot;
    options.locale = m_settings.locale;
    options.orientation = m_settings.orientation;
    options.realClock = m_settings.realClock;
    options.hasFrameBuffer = m_settings.withFrameBuffers;
    options.injectsLibraries = m_settings.injectsLibraries;

    int frameDescriptor = -1;
    if (options.hasFrameBuffer) {
        FrameBuffer buffer = FrameBuffer::create();
        if (!buffer.isValid())
            return Error { "cannot make a shared frame buffer for the " + name + " app" };
        frameDescriptor = buffer.descriptor();
        m_frameBuffers.insert_or_assign(app, std::move(buffer));
    }

    std::vector<std::string> arguments = options.toArguments();
    arguments.insert(arguments.begin(), m_settings.executable);
    auto started = AppProcess::start(name, arguments, frameDescriptor);
    if (!started)
        return Error { "cannot start the " + name + " app: " + started.error().message };
    std::unique_ptr<AppProcess> host = started.releaseValue();
    // A host answers once it has booted: ok, or why it could not.
    TRY(host->readReply());
    AppProcess* running = host.get();
    m_hosts[app] = std::move(host);
    return running;
}

CommandResult Driver::sendToFront(const ScriptCommand& command)
{
    AppProcess* host = TRY(hostFor(m_front));
    return host->request(writeScriptCommand(command));
}

CommandResult Driver::sendToAll(const ScriptCommand& command)
{
    CommandResult front = commandDone();
    for (auto& [app, host] : m_hosts) {
        if (!host->isRunning())
            continue;
        CommandResult answer = host->request(writeScriptCommand(command));
        if (!answer || answer.value().unmetExpectation)
            return answer;
        if (app == m_front)
            front = std::move(answer);
    }
    return front;
}

ErrorOr<void> Driver::sendToOthers(const ScriptCommand& command)
{
    for (auto& [app, host] : m_hosts) {
        if (app != m_front && host->isRunning())
            TRY(host->request(writeScriptCommand(command)));
    }
    return {};
}

CommandResult Driver::route(const command::App& command)
{
    TRY(hostFor(command.app));
    m_front = command.app;
    return sendToFront(command);
}

CommandResult Driver::route(const command::Locale& command)
{
    // Apps started later boot with it; running ones switch now.
    m_settings.locale = command.identifier;
    return sendToAll(command);
}

CommandResult Driver::route(const command::Orientation& command)
{
    m_settings.orientation = command.orientation;
    return sendToAll(command);
}

CommandResult Driver::route(const command::Wait& command)
{
    // Time passes for every app, in front or not; before any app runs there is nothing to wait for.
    if (m_hosts.empty())
        return commandDone();
    return sendToAll(command);
}

CommandResult Driver::route(const command::Snapshot& command)
{
    // Hosts write where the person running the script is.
    return sendToFront(command::Snapshot { std::filesystem::absolute(command.file).string() });
}

CommandResult Driver::route(const command::KeyboardSnapshot& command)
{
    return sendToFront(command::KeyboardSnapshot { std::filesystem::absolute(command.file).string() });
}

CommandResult Driver::execute(const ScriptCommand& command)
{
    CommandResult result = std::visit([this](const auto& each) { return route(each); }, command);
    if (result && result.value().elapsed > 0)
        TRY(sendToOthers(command::Wait { result.value().elapsed }));
    return result;
}

int Driver::runScript(const ParsedScript& script, std::ostream& output, std::ostream& errors)
{
    const std::string& file = script.fileName;
    for (const ScriptLine& line : script.lines) {
        CommandResult result = execute(line.command);
        if (result) {
            for (const std::string& printed : result.value().output)
                output << printed << '\n';
            if (!output.flush()) {
                errors << ScriptError { file, line.number, "cannot write the output" }.format() << '\n';
                return 2;
            }
        }
        if (!result) {
            errors << ScriptError { file, line.number, result.error().message }.format() << '\n';
            return 2;
        }
        if (const auto& unmet = result.value().unmetExpectation) {
            errors << ScriptError { file, line.number, *unmet }.format() << '\n';
            return 1;
        }
    }
    return 0;
}
