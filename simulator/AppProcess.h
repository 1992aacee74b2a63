#pragma once

#include "simulator/CommandResult.h"
#include "simulator/LineChannel.h"

#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <sys/types.h>
#include <vector>

// One app running in a process of its own, as the driver sees it. The child
// reads commands on descriptor 3 and answers there; it ends when that socket
// closes, and also when the driver dies, so nothing outlives a run.
class AppProcess {
public:
    // The descriptor the child finds its command socket on, and the one it
    // finds an optional shared frame buffer on.
    static constexpr int commandDescriptor = 3;
    static constexpr int frameDescriptor = 4;

    // Starts the program; displayName names the app in messages. frameBuffer
    // is handed to the child as descriptor 4 when it is not -1.
    static ErrorOr<std::unique_ptr<AppProcess>> start(
        std::string displayName, const std::vector<std::string>& arguments, int frameBuffer);

    ~AppProcess();
    AppProcess(const AppProcess&) = delete;
    AppProcess& operator=(const AppProcess&) = delete;

    const std::string& displayName() const { return m_displayName; }
    pid_t pid() const { return m_pid; }
    bool isRunning() const { return m_pid > 0; }

    // How long a host may stay silent before it counts as hung. A host busy
    // with a long command keeps sending `progress` lines, so only a host
    // that has stopped working runs into this, however slow the machine.
    static constexpr std::chrono::seconds replyLimit { 60 };

    // Sends one command line and waits for its whole reply. A host that dies,
    // sends nothing for the limit, or is interrupted (see Interruption) is an
    // error that says so.
    CommandResult request(std::string_view line, std::chrono::milliseconds limit = replyLimit);

    // Waits for one whole reply, such as the one a host sends when it has booted.
    CommandResult readReply(std::chrono::milliseconds limit = replyLimit);

    // The clock the limit is measured on: the steady clock, unless a test
    // puts its own.
    using Clock = std::function<std::chrono::steady_clock::time_point()>;
    void setClock(Clock clock) { m_clock = std::move(clock); }

    // Asks the host to quit, gives it a moment to end, then kills it; always reaps it.
    void stop();

    // Only start() makes one.
    struct StartedProcess {
        explicit StartedProcess() = default;
    };
    AppProcess(StartedProcess, std::string displayName, pid_t pid, int socket);

private:
    std::string reapAndDescribe();

    std::string m_displayName;
    pid_t m_pid;
    LineChannel m_channel;
    Clock m_clock { [] { return std::chrono::steady_clock::now(); } };
};
