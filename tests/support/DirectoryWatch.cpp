#include "tests/support/DirectoryWatch.h"

#include <chrono>
#include <poll.h>
#include <stdexcept>
#include <sys/inotify.h>
#include <unistd.h>

DirectoryWatch::DirectoryWatch(const std::string& folder)
    : m_descriptor(::inotify_init1(IN_CLOEXEC | IN_NONBLOCK))
{
    if (m_descriptor < 0 || ::inotify_add_watch(m_descriptor, folder.c_str(), IN_MODIFY) < 0)
        throw std::runtime_error("cannot watch " + folder);
}

DirectoryWatch::~DirectoryWatch()
{
    ::close(m_descriptor);
}

bool DirectoryWatch::waitForWriteTo(const std::string& namePrefix, double timeoutSeconds)
{
    using Clock = std::chrono::steady_clock;
    auto deadline = Clock::now() + std::chrono::duration<double>(timeoutSeconds);
    alignas(inotify_event) char buffer[4096];
    while (Clock::now() < deadline) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        pollfd readable { m_descriptor, POLLIN, 0 };
        if (::poll(&readable, 1, static_cast<int>(left.count()) + 1) != 1)
            continue;
        ssize_t length = ::read(m_descriptor, buffer, sizeof buffer);
        for (ssize_t offset = 0; offset < length;) {
            const auto* event = reinterpret_cast<const inotify_event*>(buffer + offset);
            if (event->len && std::string(event->name).starts_with(namePrefix))
                return true;
            offset += static_cast<ssize_t>(sizeof(inotify_event) + event->len);
        }
    }
    return false;
}
