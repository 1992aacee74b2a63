#include "tests/support/ChildProcess.h"

#include <chrono>
#include <csignal>
#include <sys/wait.h>
#include <thread>
#include <utility>

ChildProcess::ChildProcess(ChildProcess&& other) noexcept
    : m_pid(std::exchange(other.m_pid, -1))
    , m_isReaped(other.m_isReaped)
    , m_status(other.m_status)
{
}

ChildProcess::~ChildProcess()
{
    if (m_pid > 0 && !m_isReaped) {
        ::kill(m_pid, SIGKILL);
        ::waitpid(m_pid, nullptr, 0);
    }
}

bool ChildProcess::hasExited()
{
    if (m_pid <= 0 || m_isReaped)
        return true;
    if (::waitpid(m_pid, &m_status, WNOHANG) == m_pid)
        m_isReaped = true;
    return m_isReaped;
}

int ChildProcess::waitForExit(double timeoutSeconds)
{
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    while (!hasExited()) {
        if (std::chrono::steady_clock::now() > deadline) {
            kill(SIGKILL);
            ::waitpid(m_pid, &m_status, 0);
            m_isReaped = true;
            return -1;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return WIFEXITED(m_status) ? WEXITSTATUS(m_status) : -1;
}

void ChildProcess::kill(int signal)
{
    if (m_pid > 0 && !m_isReaped)
        ::kill(m_pid, signal);
}

void ChildProcess::stop()
{
    kill(SIGSTOP);
    int status = 0;
    if (m_pid > 0 && !m_isReaped && ::waitpid(m_pid, &status, WUNTRACED) == m_pid && !WIFSTOPPED(status)) {
        m_status = status;
        m_isReaped = true;
    }
}

void ChildProcess::resume()
{
    kill(SIGCONT);
}
