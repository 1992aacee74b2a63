#include "simulator/AppProcess.h"

#include "simulator/HostReply.h"
#include "simulator/Interruption.h"

#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <unistd.h>
#include <utility>

namespace {

// How long a host that was asked to quit may take before it is killed.
constexpr std::chrono::milliseconds quitGrace { 2000 };

// Puts a descriptor at a fixed number in the child, without close-on-exec.
void placeDescriptor(int descriptor, int target)
{
    if (descriptor == target)
        ::fcntl(target, F_SETFD, 0);
    else
        ::dup2(descriptor, target);
}

[[noreturn]] void execChild(
    const std::vector<std::string>& arguments, int socket, int frameBuffer, pid_t parent)
{
    // Die with the driver, whatever way it goes.
    ::prctl(PR_SET_PDEATHSIG, SIGKILL);
    if (::getppid() != parent)
        ::_exit(127);
    // Keep the driver's standard output for what scripts print.
    ::dup2(STDERR_FILENO, STDOUT_FILENO);
    if (frameBuffer == AppProcess::commandDescriptor)
        frameBuffer = ::dup(frameBuffer);
    placeDescriptor(socket, AppProcess::commandDescriptor);
    if (frameBuffer >= 0)
        placeDescriptor(frameBuffer, AppProcess::frameDescriptor);
    ::close_range(
        frameBuffer >= 0 ? AppProcess::frameDescriptor + 1 : AppProcess::commandDescriptor + 1, ~0U, 0);

    std::vector<char*> argv;
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    ::execv(argv[0], argv.data());
    std::string message = "corvane-sim: cannot start " + arguments[0] + ": " + std::strerror(errno) + "\n";
    [[maybe_unused]] auto ignored = ::write(STDERR_FILENO, message.data(), message.size());
    ::_exit(127);
}

} // namespace

ErrorOr<std::unique_ptr<AppProcess>> AppProcess::start(
    std::string displayName, const std::vector<std::string>& arguments, int frameBuffer)
{
    int sockets[2];
    if (::socketpair(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0, sockets) != 0)
        return Error { std::string("cannot make a socket pair: ") + std::strerror(errno) };
    pid_t parent = ::getpid();
    pid_t pid = ::fork();
    if (pid < 0) {
        int failure = errno;
        ::close(sockets[0]);
        ::close(sockets[1]);
        return Error { std::string("cannot start a process: ") + std::strerror(failure) };
    }
    if (pid == 0)
        execChild(arguments, sockets[1], frameBuffer, parent);
    ::close(sockets[1]);
    return std::make_unique<AppProcess>(StartedProcess {}, std::move(displayName), pid, sockets[0]);
}

AppProcess::AppProcess(StartedProcess, std::string displayName, pid_t pid, int socket)
    : m_displayName(std::move(displayName))
    , m_pid(pid)
    , m_channel(socket)
{
}

AppProcess::~AppProcess()
{
    stop();
}

CommandResult AppProcess::request(std::string_view line, std::chrono::milliseconds limit)
{
    if (!isRunning())
        return Error { "the " + m_displayName + " app is not running" };
    if (!m_channel.writeLine(line))
        return Error { "the " + m_displayName + " app " + reapAndDescribe() };
    return readReply(limit);
}

CommandResult AppProcess::readReply(std::chrono::milliseconds limit)
{
    if (!isRunning())
        return Error { "the " + m_displayName + " app is not running" };
    HostReplyReader reader;
    // Every line is a sign of life: the limit counts from the last one.
    auto deadline = m_clock() + limit;
    while (true) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - m_clock());
        auto result = left.count() > 0 ? m_channel.readLine(left)
                                       : LineChannel::ReadResult { LineChannel::ReadStatus::TimedOut, {} };
        if (result.status == LineChannel::ReadStatus::TimedOut) {
            stop();
            return Error { "the " + m_displayName + " app showed no sign of life for "
                + std::to_string(std::chrono::duration_cast<std::chrono::seconds>(limit).count())
                + " seconds and was stopped" };
        }
        if (result.status == LineChannel::ReadStatus::Interrupted)
            return Error { Interruption::description() };
        if (result.status == LineChannel::ReadStatus::Closed)
            return Error { "the " + m_displayName + " app " + reapAndDescribe() };
        if (auto reply = reader.consume(result.line))
            return std::move(*reply);
        deadline = m_clock() + limit;
    }
}

std::string AppProcess::reapAndDescribe()
{
    m_channel.close();
    int status = 0;
    pid_t pid = std::exchange(m_pid, -1);
    if (pid <= 0 || ::waitpid(pid, &status, 0) != pid)
        return "has ended";
    std::string process = "(process " + std::to_string(pid) + ")";
    if (WIFSIGNALED(status))
        return process + " was ended by signal " + std::to_string(WTERMSIG(status)) + " ("
            + ::strsignal(WTERMSIG(status)) + ")";
    return process + " exited with status " + std::to_string(WEXITSTATUS(status));
}

void AppProcess::stop()
{
    if (!isRunning())
        return;
    // A host quits when asked or when its commands end, and its end of the
    // socket closes as it exits: wait for that, at most a while, then make sure.
    // An interrupted run does not wait: the person asked for it to end.
    m_channel.writeLine("quit");
    m_channel.finishWriting();
    bool ended = m_channel.waitUntilClosed(quitGrace);
    m_channel.close();
    if (!ended)
        ::kill(m_pid, SIGKILL);
    while (::waitpid(m_pid, nullptr, 0) < 0 && errno == EINTR) { }
    m_pid = -1;
}
