#include "simulator/LineChannel.h"

#include "simulator/Interruption.h"

#include <cerrno>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

LineChannel::LineChannel(int descriptor)
    : m_descriptor(descriptor)
{
}

LineChannel::~LineChannel()
{
    close();
}

void LineChannel::close()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
}

bool LineChannel::writeLine(std::string_view line)
{
    std::string data(line);
    data += '\n';
    std::size_t written = 0;
    while (written < data.size()) {
        // MSG_NOSIGNAL: a peer that has gone is an answer, not a reason to die.
        ssize_t count = ::send(m_descriptor, data.data() + written, data.size() - written, MSG_NOSIGNAL);
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return false;
        written += static_cast<std::size_t>(count);
    }
    return true;
}

std::optional<std::string> LineChannel::takeBufferedLine()
{
    auto end = m_buffer.find('\n');
    if (end == std::string::npos)
        return std::nullopt;
    std::string line = m_buffer.substr(0, end);
    m_buffer.erase(0, end + 1);
    return line;
}

void LineChannel::finishWriting()
{
    if (m_descriptor >= 0)
        ::shutdown(m_descriptor, SHUT_WR);
}

bool LineChannel::waitUntilClosed(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        auto result = readLine(std::max(left, std::chrono::milliseconds(0)));
        if (result.status == ReadStatus::Closed)
            return true;
        if (result.status == ReadStatus::TimedOut || result.status == ReadStatus::Interrupted)
            return false;
    }
}

LineChannel::ReadResult LineChannel::readLine(std::chrono::milliseconds timeout)
{
    auto deadline = std::chrono::steady_clock::now() + timeout;
    while (true) {
        if (auto line = takeBufferedLine())
            return { ReadStatus::Line, std::move(*line) };
        if (m_descriptor < 0)
            return { ReadStatus::Closed, {} };

        int wait = -1;
        if (timeout.count() >= 0) {
            auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (left.count() <= 0)
                return { ReadStatus::TimedOut, {} };
            wait = static_cast<int>(left.count());
        }
        // A descriptor of -1 (signals not caught) is passed over by poll().
        pollfd entries[] = { { m_descriptor, POLLIN, 0 }, { Interruption::descriptor(), POLLIN, 0 } };
        int ready = ::poll(entries, 2, wait);
        if (Interruption::signal())
            return { ReadStatus::Interrupted, {} };
        if (ready < 0 && errno == EINTR)
            continue;
        if (ready == 0)
            return { ReadStatus::TimedOut, {} };

        char chunk[4096];
        ssize_t count = ::read(m_descriptor, chunk, sizeof(chunk));
        if (count < 0 && errno == EINTR)
            continue;
        if (count <= 0)
            return { ReadStatus::Closed, {} };
        m_buffer.append(chunk, static_cast<std::size_t>(count));
    }
}
