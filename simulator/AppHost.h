#pragma once

#include "simulator/HostOptions.h"
#include "simulator/HostReply.h"
#include "simulator/ScriptCommand.h"

// One app's process: the device booted from its root, the keyboard extension
// injected by the platform's loader, and the app's window.
class AppHost {
public:
    explicit AppHost(HostOptions options);
    ~AppHost();
    AppHost(const AppHost&) = delete;
    AppHost& operator=(const AppHost&) = delete;

    // Boots the device and starts the app; an error reply says why it could not.
    HostReply boot();
    // Runs what is due on the main run loop: timers, notifications, display.
    void pump();
    // Carries out one command between two pumps, so that notifications posted
    // by other processes have arrived before it and its own effects after.
    HostReply perform(const ScriptCommand& command);
    void shutDown();

private:
    HostReply execute(const ScriptCommand& command);

    HostOptions m_options;
};
