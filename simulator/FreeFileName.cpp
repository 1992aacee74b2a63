#include "simulator/FreeFileName.h"

#include "simulator/ScriptText.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <unistd.h>

namespace {

// Far more files than anyone keeps in one folder; past it something is wrong.
constexpr int largestNumber = 1000000;

} // namespace

ErrorOr<std::string> createNextFreeFile(const std::string& prefix, const std::string& suffix, int& from)
{
    for (int number = std::max(from, 1); number <= largestNumber; ++number) {
        std::string path = prefix + std::to_string(number) + suffix;
        int descriptor = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOFOLLOW, 0644);
        if (descriptor >= 0) {
            ::close(descriptor);
            from = number + 1;
            return path;
        }
        if (errno != EEXIST)
            return Error { "cannot create " + escapeControlCharacters(path) + ": " + std::strerror(errno) };
    }
    return Error { "every name from " + escapeControlCharacters(prefix) + "1"
        + escapeControlCharacters(suffix) + " to " + std::to_string(largestNumber) + " is taken" };
}
