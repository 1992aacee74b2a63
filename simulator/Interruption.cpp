#include "simulator/Interruption.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

constexpr int caughtSignals[] = { SIGINT, SIGTERM, SIGHUP };

volatile std::sig_atomic_t receivedSignal = 0;
// Written to by the handler and never read, so that it stays readable.
int pipeEnds[2] = { -1, -1 };

void noteSignal(int number)
{
    int savedError = errno;
    if (!receivedSignal)
        receivedSignal = number;
    char byte = 1;
    [[maybe_unused]] auto ignored = ::write(pipeEnds[1], &byte, 1);
    errno = savedError;
}

} // namespace

void Interruption::catchSignals()
{
    if (pipeEnds[0] >= 0 || ::pipe2(pipeEnds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    struct sigaction action { };
    action.sa_handler = noteSignal;
    sigemptyset(&action.sa_mask);
    // Waits for input poll() the pipe beside what they wait for, which wakes
    // them; any other call a signal breaks into is simply carried on.
    action.sa_flags = SA_RESTART;
    for (int number : caughtSignals)
        ::sigaction(number, &action, nullptr);
}

int Interruption::signal()
{
    return receivedSignal;
}

int Interruption::descriptor()
{
    return pipeEnds[0];
}

const char* Interruption::description()
{
    switch (receivedSignal) {
    case SIGINT:
        return "interrupted by SIGINT";
    case SIGTERM:
        return "interrupted by SIGTERM";
    case SIGHUP:
        return "interrupted by SIGHUP";
    default:
        return "not interrupted";
    }
}
