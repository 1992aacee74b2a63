#pragma once

#include <poll.h>
#include <stdexcept>
#include <unistd.h>

// A pipe over which two processes hand each other one byte at a time.
class PipeSignal {
public:
    PipeSignal()
    {
        if (::pipe(m_ends) != 0)
            throw std::runtime_error("pipe");
    }
    ~PipeSignal()
    {
        ::close(m_ends[0]);
        ::close(m_ends[1]);
    }
    PipeSignal(const PipeSignal&) = delete;
    PipeSignal& operator=(const PipeSignal&) = delete;

    void send(char byte) const { (void)!::write(m_ends[1], &byte, 1); }
    // The byte sent, or 0 when none came in time.
    char wait(int milliseconds = 20000) const
    {
        pollfd descriptor { m_ends[0], POLLIN, 0 };
        char byte = 0;
        if (::poll(&descriptor, 1, milliseconds) == 1 && ::read(m_ends[0], &byte, 1) == 1)
            return byte;
        return 0;
    }

private:
    int m_ends[2];
};
