#include "platform/foundation/NSLog.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <ctime>
#include <string>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

std::string timeStamp()
{
    auto now = std::chrono::system_clock::now();
    std::time_t seconds = std::chrono::system_clock::to_time_t(now);
    auto milliseconds
        = std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
    std::tm local {};
    ::localtime_r(&seconds, &local);
    char buffer[64];
    std::size_t length = std::strftime(buffer, sizeof buffer, "%Y-%m-%d %H:%M:%S", &local);
    std::snprintf(buffer + length, sizeof buffer - length, ".%03d", static_cast<int>(milliseconds));
    return buffer;
}

} // namespace

void NSLog(std::string_view format, std::initializer_list<NSString> arguments)
{
    std::string line = timeStamp() + " " + program_invocation_short_name + "[" + std::to_string(::getpid())
        + ":" + std::to_string(static_cast<long>(::syscall(SYS_gettid))) + "] "
        + NSString::stringWithFormat(format, arguments).utf8();
    if (line.empty() || line.back() != '\n')
        line += '\n';
    // One write per line, so that lines of several processes never interleave.
    std::size_t written = 0;
    while (written < line.size()) {
        ssize_t result = ::write(STDERR_FILENO, line.data() + written, line.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
            return;
        written += static_cast<std::size_t>(result);
    }
}
