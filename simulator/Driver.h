#pragma once

#include "simulator/AppProcess.h"
#include "simulator/FrameBuffer.h"
#include "simulator/HostReply.h"
#include "simulator/ScriptCommand.h"
#include "simulator/ScriptParser.h"

#include <functional>
#include <iosfwd>
#include <map>
#include <memory>
#include <string>

// The thin process in front: it starts one host process per app of one
// device, keeps track of which app is in front, and hands each command to
// the host that must carry it out. It does no keyboard work itself.
class Driver {
public:
    struct Settings {
        std::string executable;
        std::string deviceRoot;
        std::string locale { "en_US" };
        std::string orientation { "portrait" };
        bool realClock { false };
        // Each host renders into a shared frame buffer (for a window).
        bool withFrameBuffers { false };
        // The app that commands go to before any `app` command.
        std::string firstApp { "test" };
    };

    explicit Driver(Settings settings);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Carries out one command. Messages in the reply carry no file or line.
    HostReply execute(const ScriptCommand& command);

    // Runs a parsed script: what `print` prints goes to output, errors to
    // errors as FILE:LINE: message. Answers the exit status: 0, 1 when an
    // expectation failed, 2 on an error.
    int runScript(
        const std::string& fileName, const ParsedScript& script, std::ostream& output, std::ostream& errors);

    const std::string& frontApp() const { return m_front; }
    // The front app's host, started if needed; nothing when it cannot start.
    AppProcess* frontHost(HostReply& failure);
    FrameBuffer* frameBuffer(const std::string& app);

    // Called with a line of progress whenever an app starts ("Starting the notes app …").
    void setProgressReporter(std::function<void(const std::string&)> reporter)
    {
        m_progress = std::move(reporter);
    }

    // Stops every host and reaps it.
    void stopAll();

private:
    AppProcess* hostFor(const std::string& app, HostReply& failure);
    HostReply forwardToAll(const ScriptCommand& command);
    static std::string displayName(const std::string& app);

    Settings m_settings;
    std::string m_front;
    std::map<std::string, std::unique_ptr<AppProcess>> m_hosts;
    std::map<std::string, FrameBuffer> m_frameBuffers;
    std::function<void(const std::string&)> m_progress;
};
