#pragma once

#include <sys/types.h>
#include <unistd.h>

// A forked copy of the test process that runs one function and leaves with
// its result as exit status, without running the test framework's or the
// process's exit-time code.
class ChildProcess {
public:
    template <typename Body> static ChildProcess run(Body body)
    {
        pid_t pid = ::fork();
        if (pid == 0)
            ::_exit(runInChild(body));
        return ChildProcess(pid);
    }

    ChildProcess(ChildProcess&& other) noexcept;
    ChildProcess& operator=(ChildProcess&&) = delete;
    // A child still running when the object goes is killed.
    ~ChildProcess();

    pid_t pid() const { return m_pid; }
    // The exit status, or -1 when the child was killed by a signal or did not
    // end within the timeout (it is killed then).
    int waitForExit(double timeoutSeconds = 30);
    // Whether it has ended; its status is kept for waitForExit.
    bool hasExited();
    void kill(int signal);
    // Stops the child and returns once it is stopped; resume lets it go on.
    void stop();
    void resume();

private:
    explicit ChildProcess(pid_t pid)
        : m_pid(pid)
    {
    }
    template <typename Body> static int runInChild(Body& body)
    {
        try {
            return body();
        } catch (...) {
            return 125;
        }
    }

    pid_t m_pid;
    bool m_isReaped { false };
    int m_status { 0 };
};
