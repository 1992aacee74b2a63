#include "simulator/StandardInput.h"

#include <cerrno>
#include <cstring>
#include <unistd.h>

ErrorOr<std::string> readStandardInput(std::size_t maxBytes)
{
    std::string text;
    char buffer[65536];
    while (true) {
        ssize_t count = ::read(STDIN_FILENO, buffer, sizeof buffer);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return Error { std::string("cannot read standard input: ") + std::strerror(errno) };
        if (count == 0)
            return text;
        if (text.size() + static_cast<std::size_t>(count) > maxBytes)
            return Error { "standard input holds more than " + std::to_string(maxBytes) + " bytes" };
        text.append(buffer, static_cast<std::size_t>(count));
    }
}
