#include "tests/support/ReadySignal.h"

#include <poll.h>
#include <stdexcept>
#include <unistd.h>

ReadySignal::ReadySignal()
{
    if (::pipe(m_ends) != 0)
        throw std::runtime_error("pipe");
}

ReadySignal::~ReadySignal()
{
    ::close(m_ends[0]);
    ::close(m_ends[1]);
}

void ReadySignal::signal() const
{
    (void)!::write(m_ends[1], "r", 1);
}

bool ReadySignal::wait(int milliseconds) const
{
    pollfd descriptor { m_ends[0], POLLIN, 0 };
    char byte;
    return ::poll(&descriptor, 1, milliseconds) == 1 && ::read(m_ends[0], &byte, 1) == 1;
}
