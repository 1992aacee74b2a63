#include "platform/foundation/AtomicSaveTemporary.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/file.h>
#include <sys/stat.h>

namespace {

// mkostemp's random part.
constexpr std::size_t randomSuffixLength = 6;
// A save whose temporary is taken away by another save's clean-up (between
// its creation and its lock) starts again; more than a few rounds means
// something else keeps removing files there.
constexpr int creationAttempts = 8;

std::string folderOf(const std::string& path)
{
    auto parent = std::filesystem::path(path).parent_path();
    return parent.empty() ? std::string(".") : parent.string();
}

std::string prefixFor(const std::string& destinationName)
{
    return "." + destinationName + ".";
}

bool isDigits(std::string_view text)
{
    return !text.empty()
        && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c) != 0; });
}

bool isRandomSuffix(std::string_view text)
{
    return text.size() == randomSuffixLength
        && std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isalnum(c) != 0; });
}

int lockExclusively(int fd, int flags)
{
    int result;
    do
        result = ::flock(fd, LOCK_EX | flags);
    while (result != 0 && errno == EINTR);
    return result;
}

// Any access mode will do for a lock; a leftover keeps the mode of the file
// it was to replace, which may forbid reading.
int openForLocking(const std::string& path)
{
    int flags = O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(path.c_str(), O_RDONLY | flags);
    return fd >= 0 ? fd : ::open(path.c_str(), O_WRONLY | flags);
}

// A regular file of ours that nobody holds locked is a leftover: every
// writer keeps its temporary locked until it is renamed or removed, and the
// lock goes with the process when it dies.
void removeIfAbandoned(const std::string& path)
{
    struct stat status { };
    if (::lstat(path.c_str(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_uid != ::geteuid())
        return;
    FileDescriptor file(openForLocking(path));
    if (!file.isValid() || lockExclusively(file.get(), LOCK_NB) != 0)
        return;
    // Still the file that was inspected: not replaced since.
    struct stat locked { };
    if (::fstat(file.get(), &locked) != 0 || locked.st_ino != status.st_ino || locked.st_dev != status.st_dev)
        return;
    ::unlink(path.c_str());
}

void removeAbandoned(const std::string& folder, const std::string& destinationName)
{
    struct CloseDirectory {
        void operator()(DIR* directory) const { ::closedir(directory); }
    };
    std::unique_ptr<DIR, CloseDirectory> directory(::opendir(folder.c_str()));
    if (!directory)
        return;
    while (dirent* entry = ::readdir(directory.get())) {
        if (AtomicSaveTemporary::isTemporaryOf(entry->d_name, destinationName))
            removeIfAbandoned(folder + "/" + entry->d_name);
    }
}

bool isSameFile(int fd, const std::string& path)
{
    struct stat opened { };
    struct stat named { };
    return ::fstat(fd, &opened) == 0 && ::lstat(path.c_str(), &named) == 0 && opened.st_ino == named.st_ino
        && opened.st_dev == named.st_dev;
}

} // namespace

bool AtomicSaveTemporary::isTemporaryOf(const std::string& name, const std::string& destinationName)
{
    std::string prefix = prefixFor(destinationName);
    if (!std::string_view(name).starts_with(prefix))
        return false;
    std::string_view rest = std::string_view(name).substr(prefix.size());
    std::size_t dot = rest.find('.');
    return dot != std::string_view::npos && isDigits(rest.substr(0, dot))
        && isRandomSuffix(rest.substr(dot + 1));
}

ErrorOr<AtomicSaveTemporary> AtomicSaveTemporary::create(const std::string& destination)
{
    std::string folder = folderOf(destination);
    std::string destinationName = std::filesystem::path(destination).filename().string();
    removeAbandoned(folder, destinationName);

    std::string pattern = folder + "/" + prefixFor(destinationName) + std::to_string(::getpid()) + "."
        + std::string(randomSuffixLength, 'X');
    for (int attempt = 0; attempt < creationAttempts; ++attempt) {
        std::string path = pattern;
        FileDescriptor file(::mkostemp(path.data(), O_CLOEXEC));
        if (!file.isValid())
            return Error { "cannot create a temporary file in " + folder + ": " + std::strerror(errno) };
        if (lockExclusively(file.get(), 0) != 0) {
            int error = errno;
            ::unlink(path.c_str());
            return Error { "cannot lock " + path + ": " + std::strerror(error) };
        }
        // Another save's clean-up may have taken the file before it was locked.
        if (isSameFile(file.get(), path))
            return AtomicSaveTemporary(std::move(path), std::move(folder), std::move(file));
    }
    return Error { "cannot keep a temporary file in " + folder + ": it is removed as soon as it is made" };
}
