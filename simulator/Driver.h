#pragma once

#include "simulator/AppProcess.h"
#include "simulator/CommandResult.h"
#include "simulator/FrameBuffer.h"
#include "simulator/ScriptLanguage.h"

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
        ScreenOrientation orientation { ScreenOrientation::Portrait };
        bool realClock { false };
        // Each host renders into a shared frame buffer (for a window).
        bool withFrameBuffers { false };
        // False: the platform keyboard alone, nothing injected into the apps.
        bool injectsLibraries { true };
        // The app that commands go to before any `app` command.
        AppKind firstApp { AppKind::Test };
    };

    explicit Driver(Settings settings);
    ~Driver();
    Driver(const Driver&) = delete;
    Driver& operator=(const Driver&) = delete;

    // Carries out one command, one at a time: a host answers only once the
    // command is done, so whatever it posted has reached every other app
    // before the next command goes out. The device has one clock: the
    // virtual time a command let pass in its app (held and rolled touches,
    // whether typing, planning or rolling) passes as much for every other
    // app before the next command. Messages carry no file or line.
    CommandResult execute(const ScriptCommand& command);

    // Runs a parsed script: what `print` prints goes to output, errors to
    // errors. Answers the exit status: 0, 1 for an expectation that did not
    // hold, 2 for an error (a failed write of the output included).
    int runScript(const ParsedScript& script, std::ostream& output, std::ostream& errors);

    AppKind frontApp() const { return m_front; }
    FrameBuffer* frameBuffer(AppKind app);

    // Stops every host and reaps it.
    void stopAll();

private:
    // Most commands are the app in front's; these are the driver's too.
    template <typename Command> CommandResult route(const Command& command) { return sendToFront(command); }
    CommandResult route(const command::App& command);
    CommandResult route(const command::Locale& command);
    CommandResult route(const command::Orientation& command);
    CommandResult route(const command::Wait& command);
    CommandResult route(const command::Snapshot& command);
    CommandResult route(const command::KeyboardSnapshot& command);

    ErrorOr<AppProcess*> hostFor(AppKind app);
    CommandResult sendToFront(const ScriptCommand& command);
    // To every running app; the answer is the front app's.
    CommandResult sendToAll(const ScriptCommand& command);
    // To every running app but the one in front.
    ErrorOr<void> sendToOthers(const ScriptCommand& command);

    Settings m_settings;
    AppKind m_front;
    std::map<AppKind, std::unique_ptr<AppProcess>> m_hosts;
    std::map<AppKind, FrameBuffer> m_frameBuffers;
};
