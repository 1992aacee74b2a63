#include "simulator/TextInput.h"

#include "simulator/Interruption.h"
#include "simulator/ScriptText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/stat.h>
#include <system_error>
#include <unistd.h>

TextInput::TextInput(Opened, int descriptor, bool ownsDescriptor)
    : m_descriptor(descriptor)
    , m_ownsDescriptor(ownsDescriptor)
    , m_buffer(descriptor)
    , m_stream(&m_buffer)
{
}

TextInput::~TextInput()
{
    if (m_ownsDescriptor)
        ::close(m_descriptor);
}

ErrorOr<std::unique_ptr<TextInput>> TextInput::open(const std::string& path)
{
    if (path == "-")
        return std::make_unique<TextInput>(Opened {}, STDIN_FILENO, false);
    auto cannotRead = [&path](const std::string& why) {
        return Error { "cannot read the text to type (" + escapeControlCharacters(path) + ": " + why + ")" };
    };
    // Opened without blocking, so that a pipe planted at the path cannot hang the run.
    int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK);
    if (descriptor < 0)
        return cannotRead(std::strerror(errno));
    auto input = std::make_unique<TextInput>(Opened {}, descriptor, true);
    struct stat status { };
    if (::fstat(descriptor, &status) != 0)
        return cannotRead(std::strerror(errno));
    if (!S_ISREG(status.st_mode))
        return cannotRead("not a regular file");
    ::fcntl(descriptor, F_SETFL, ::fcntl(descriptor, F_GETFL) & ~O_NONBLOCK);
    return input;
}

TextInput::Buffer::int_type TextInput::Buffer::underflow()
{
    while (true) {
        // Waiting beside the interruption's descriptor, a signal that comes
        // just before the read is not missed.
        pollfd entries[] = { { m_descriptor, POLLIN, 0 }, { Interruption::descriptor(), POLLIN, 0 } };
        int ready = ::poll(entries, 2, -1);
        if (Interruption::signal())
            return traits_type::eof();
        if (ready < 0 && errno != EINTR)
            throw std::system_error(errno, std::generic_category());
        if (ready <= 0)
            continue;
        ssize_t count = ::read(m_descriptor, m_block, sizeof m_block);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            throw std::system_error(errno, std::generic_category());
        if (count == 0)
            return traits_type::eof();
        setg(m_block, m_block, m_block + count);
        return traits_type::to_int_type(m_block[0]);
    }
}
