#include "platform/foundation/PreferencesFile.h"

#include "platform/foundation/FileDescriptor.h"
#include "platform/foundation/FileIO.h"

#include <cerrno>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <sys/file.h>
#include <sys/stat.h>
#include <thread>

namespace {

// An update holds the lock for the few milliseconds of one save; a holder
// that keeps it longer (a stopped process) fails the save instead of
// stalling the caller's main thread.
constexpr auto lockPatience = std::chrono::seconds(2);
constexpr auto lockRetryInterval = std::chrono::milliseconds(1);
// "<file>.refused", "<file>.refused-2", …: an earlier kept file is never replaced.
constexpr int keptNameAttempts = 100;

Error systemError(const std::string& what, int error)
{
    return Error { what + ": " + std::strerror(error) };
}

PreferencesFile::Contents refused(std::string problem)
{
    return { PreferencesFile::State::Refused, NSMutableDictionary::dictionary(), std::move(problem) };
}

// Every update of a file in this folder takes the folder's lock; it goes
// with the descriptor, so a process that dies holding it releases it.
ErrorOr<FileDescriptor> lockFolderOf(const std::string& path)
{
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::string folderPath = folder.empty() ? std::string(".") : folder.string();
    FileDescriptor locked(::open(folderPath.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!locked.isValid())
        return systemError("cannot open " + folderPath, errno);
    auto giveUpAt = std::chrono::steady_clock::now() + lockPatience;
    while (::flock(locked.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return systemError("cannot lock " + folderPath, errno);
        if (std::chrono::steady_clock::now() > giveUpAt)
            return Error { "another process has been updating a file in " + folderPath + " for too long" };
        std::this_thread::sleep_for(lockRetryInterval);
    }
    return locked;
}

std::string keptName(const std::string& path, int attempt)
{
    return path + ".refused" + (attempt > 1 ? "-" + std::to_string(attempt) : std::string());
}

struct KeptAside {
    std::string path;
    // A second name for the same file, which thus stays in place until the
    // new file replaces it; otherwise (a folder, say) it was moved.
    bool isLink { false };
};

ErrorOr<KeptAside> keepAside(const std::string& path)
{
    for (int attempt = 1; attempt <= keptNameAttempts; ++attempt) {
        std::string kept = keptName(path, attempt);
        if (::link(path.c_str(), kept.c_str()) == 0)
            return KeptAside { kept, true };
        if (errno == EEXIST)
            continue;
        if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, kept.c_str(), RENAME_NOREPLACE) == 0)
            return KeptAside { kept, false };
        if (errno == EEXIST)
            continue;
        // Gone since it was read: nothing is left to keep.
        if (errno == ENOENT)
            return KeptAside {};
        return systemError("cannot keep " + path + " as " + kept, errno);
    }
    return Error { "cannot keep " + path + ": " + std::to_string(keptNameAttempts)
        + " kept files are there" };
}

void undoKeepingAside(const std::string& path, const KeptAside& kept)
{
    if (kept.path.empty())
        return;
    if (kept.isLink)
        ::unlink(kept.path.c_str());
    else
        ::renameat2(AT_FDCWD, kept.path.c_str(), AT_FDCWD, path.c_str(), RENAME_NOREPLACE);
}

} // namespace

PreferencesFile::Contents PreferencesFile::read(const std::string& path)
{
    struct stat status { };
    if (::lstat(path.c_str(), &status) != 0 && errno == ENOENT)
        return { State::Absent, NSMutableDictionary::dictionary(), {} };
    auto contents = PropertyList::readFile(path, limits);
    if (!contents)
        return refused(contents.error().message);
    if (!contents.value().isDictionary())
        return refused(path + ": not a dictionary");
    return { State::Read, RefPtr(contents.value().dictionary()), {} };
}

ErrorOr<PreferencesFile::Update> PreferencesFile::update(const std::string& path, const Change& change)
{
    auto lock = lockFolderOf(path);
    if (!lock)
        return lock.error();
    Update update { nullptr, read(path), {} };
    update.dictionary = change(update.found);
    if (!update.dictionary)
        return Error { "nothing to write to " + path };
    // Made before anything moves, so that a dictionary that cannot be written
    // leaves everything where it was.
    auto bytes = PropertyList::serialize(*update.dictionary, PropertyList::Format::XML);
    if (!bytes)
        return bytes.error();

    KeptAside kept;
    if (update.found.state == State::Refused) {
        auto keptAside = keepAside(path);
        if (!keptAside)
            return keptAside.error();
        kept = keptAside.releaseValue();
        update.keptAs = kept.path;
    }
    if (auto written = FileIO::writeFileAtomically(path, bytes.value()); !written) {
        undoKeepingAside(path, kept);
        return written.error();
    }
    return update;
}
