#include "platform/foundation/FileIO.h"

#include "platform/foundation/AtomicSaveTemporary.h"
#include "platform/foundation/FileDescriptor.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <unistd.h>

namespace {

Error systemError(const std::string& what, const std::string& path, int error)
{
    return Error { what + " " + path + ": " + std::strerror(error) };
}

bool writeAll(int fd, const std::string& contents)
{
    std::size_t written = 0;
    while (written < contents.size()) {
        ssize_t result = ::write(fd, contents.data() + written, contents.size() - written);
        if (result < 0 && errno == EINTR)
            continue;
        if (result <= 0)
            return false;
        written += static_cast<std::size_t>(result);
    }
    return true;
}

// Keep the permissions of the file being replaced, except that its owner may
// always read and write it: copying a mode that shuts the owner out would
// save contents nobody could read back. The setuid, setgid and sticky bits
// are never copied: a file anyone may have linked into place must not turn
// a saved file into a program that runs as its owner. A new file gets
// rw-r--r--.
mode_t modeForReplacing(const std::string& path)
{
    struct stat existing { };
    if (::stat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        return (existing.st_mode & 0777) | S_IRUSR | S_IWUSR;
    return 0644;
}

} // namespace

ErrorOr<std::string> FileIO::readRegularFile(const std::string& path, std::size_t maxBytes)
{
    // Non-blocking, so that opening a FIFO planted at the path cannot hang.
    FileDescriptor file(::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOCTTY | O_NONBLOCK));
    if (!file.isValid())
        return systemError("cannot open", path, errno);
    struct stat status { };
    if (::fstat(file.get(), &status) != 0)
        return systemError("cannot inspect", path, errno);
    if (!S_ISREG(status.st_mode))
        return Error { path + " is not a regular file" };
    if (static_cast<std::size_t>(status.st_size) > maxBytes)
        return Error { path + " is larger than " + std::to_string(maxBytes) + " bytes" };

    // The file may grow while it is read; never read more than the cap.
    std::string contents;
    contents.resize(static_cast<std::size_t>(status.st_size) + 1);
    std::size_t filled = 0;
    while (true) {
        if (filled == contents.size()) {
            if (contents.size() > maxBytes)
                return Error { path + " is larger than " + std::to_string(maxBytes) + " bytes" };
            contents.resize(std::min(contents.size() * 2, maxBytes + 1));
        }
        ssize_t result = ::read(file.get(), contents.data() + filled, contents.size() - filled);
        if (result < 0 && errno == EINTR)
            continue;
        if (result < 0)
            return systemError("cannot read", path, errno);
        if (result == 0)
            break;
        filled += static_cast<std::size_t>(result);
    }
    if (filled > maxBytes)
        return Error { path + " is larger than " + std::to_string(maxBytes) + " bytes" };
    contents.resize(filled);
    return contents;
}

ErrorOr<void> FileIO::writeFileAtomically(const std::string& path, const std::string& contents)
{
    auto created = AtomicSaveTemporary::create(path);
    if (!created)
        return created.error();
    AtomicSaveTemporary& temporary = created.value();
    int file = temporary.file().get();
    const std::string& temporaryPath = temporary.path();

    auto fail = [&](const std::string& what) {
        int error = errno;
        ::unlink(temporaryPath.c_str());
        return systemError(what, temporaryPath, error);
    };
    if (::fchmod(file, modeForReplacing(path)) != 0)
        return fail("cannot set the permissions of");
    if (!writeAll(file, contents))
        return fail("cannot write");
    if (::fsync(file) != 0)
        return fail("cannot flush");
    // Renamed while still open, so that its lock marks it as in use until it
    // has become the destination; the data is on the disk already (fsync).
    if (::rename(temporaryPath.c_str(), path.c_str()) != 0) {
        int error = errno;
        ::unlink(temporaryPath.c_str());
        return systemError("cannot replace", path, error);
    }

    // The rename itself lives in the folder; flush it too so that it survives a crash.
    FileDescriptor directory(::open(temporary.folder().c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (directory.isValid())
        ::fsync(directory.get());
    return {};
}

ErrorOr<void> FileIO::makeFolders(const std::string& path, mode_t mode)
{
    std::filesystem::path folder = std::filesystem::path(path).lexically_normal();
    // "a/b/" names the folder "a/b".
    if (!folder.has_filename())
        folder = folder.parent_path();
    std::error_code error;
    if (folder.empty() || std::filesystem::is_directory(folder, error))
        return {};
    if (folder.has_parent_path())
        TRY(makeFolders(folder.parent_path().string(), mode));
    if (::mkdir(folder.c_str(), mode) != 0) {
        // Made by another process meanwhile: it is theirs to have set up.
        if (errno == EEXIST && std::filesystem::is_directory(folder, error))
            return {};
        return systemError("cannot make the folder", folder.string(), errno);
    }
    // The umask may have taken bits away, or, at 000, left others able to
    // write where only the owner should.
    if (::chmod(folder.c_str(), mode) != 0)
        return systemError("cannot set the permissions of", folder.string(), errno);
    return {};
}

ErrorOr<void> FileIO::writeFileInPlace(const std::string& path, const std::string& contents)
{
    FileDescriptor file(
        ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOCTTY | O_NONBLOCK, 0644));
    if (!file.isValid())
        return systemError("cannot open", path, errno);
    if (!writeAll(file.get(), contents))
        return systemError("cannot write", path, errno);
    if (!file.close())
        return systemError("cannot close", path, errno);
    return {};
}
