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

Error systemError(const std::string& what, int error)
{
    return Error { what + ": " + std::strerror(error) };
}

PreferencesFile::Contents refused(std::string problem)
{
    return { PreferencesFile::State::Refused, NSMutableDictionary::dictionary(), std::move(problem) };
}

// Opens the lock file beside the preferences file, made so that only the
// folder's owner can open it: the folder itself would do as a lock, but
// anyone who may read the folder could take that lock and block every save.
ErrorOr<FileDescriptor> openLockFile(const std::string& path)
{
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    std::string folder = parent.empty() ? std::string(".") : parent.string();
    std::string lockPath = PreferencesFile::lockPath(path);
    struct stat folderStatus { };
    if (::stat(folder.c_str(), &folderStatus) != 0)
        return systemError("cannot inspect " + folder, errno);
    FileDescriptor lock(
        ::open(lockPath.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0600));
    if (!lock.isValid())
        return systemError("cannot open the lock file " + lockPath, errno);
    struct stat status { };
    if (::fstat(lock.get(), &status) != 0)
        return systemError("cannot inspect " + lockPath, errno);
    if (!S_ISREG(status.st_mode))
        return Error { lockPath + " is not a regular file" };
    if (status.st_uid != ::geteuid() && status.st_uid != folderStatus.st_uid)
        return Error { lockPath + " belongs to another user" };
    // The superuser saving in someone's folder leaves the lock to that owner,
    // who could not open it otherwise.
    if (status.st_uid != folderStatus.st_uid && ::geteuid() == 0
        && ::fchown(lock.get(), folderStatus.st_uid, folderStatus.st_gid) != 0)
        return systemError("cannot hand " + lockPath + " to the folder's owner", errno);
    if ((status.st_mode & 07777) != 0600 && ::fchmod(lock.get(), 0600) != 0)
        return systemError("cannot close " + lockPath + " to other users", errno);
    return lock;
}

// Every update of the file takes its lock; it goes with the descriptor, so a
// process that dies holding it releases it.
ErrorOr<FileDescriptor> lockFileOf(const std::string& path)
{
    FileDescriptor lock = TRY(openLockFile(path));
    auto giveUpAt = std::chrono::steady_clock::now() + lockPatience;
    while (::flock(lock.get(), LOCK_EX | LOCK_NB) != 0) {
        if (errno != EWOULDBLOCK && errno != EINTR)
            return systemError("cannot lock " + path, errno);
        if (std::chrono::steady_clock::now() > giveUpAt)
            return Error { "another process has been updating " + path + " for too long" };
        std::this_thread::sleep_for(lockRetryInterval);
    }
    return lock;
}

// "<file>.refused" is the newest kept file, "<file>.refused-2" the one before,
// and so on up to the bound; the oldest goes when a new one comes.
std::string keptName(const std::string& path, int age)
{
    return path + ".refused" + (age > 1 ? "-" + std::to_string(age) : std::string());
}

void removeKept(const std::string& kept)
{
    std::error_code ignored;
    std::filesystem::remove_all(kept, ignored);
}

// Makes room for the newest kept file under the first name. Names beyond the
// bound that an earlier version left (it kept up to a hundred) go too. None
// of this can fail the save: what cannot be moved is simply dropped.
void ageKeptFiles(const std::string& path)
{
    constexpr int namesEarlierVersionsUsed = 100;
    for (int age = namesEarlierVersionsUsed; age >= PreferencesFile::keptRefusedFiles; --age)
        removeKept(keptName(path, age));
    for (int age = PreferencesFile::keptRefusedFiles - 1; age >= 1; --age) {
        std::string older = keptName(path, age + 1);
        if (::rename(keptName(path, age).c_str(), older.c_str()) != 0 && errno != ENOENT)
            removeKept(keptName(path, age));
    }
}

struct KeptAside {
    std::string path;
    // A second name for the same file, which thus stays in place until the
    // new file replaces it; otherwise (a folder, say) it was moved.
    bool isLink { false };
};

ErrorOr<KeptAside> keepAside(const std::string& path)
{
    ageKeptFiles(path);
    std::string kept = keptName(path, 1);
    if (::link(path.c_str(), kept.c_str()) == 0)
        return KeptAside { kept, true };
    if (::renameat2(AT_FDCWD, path.c_str(), AT_FDCWD, kept.c_str(), RENAME_NOREPLACE) == 0)
        return KeptAside { kept, false };
    // Gone since it was read: nothing is left to keep.
    if (errno == ENOENT)
        return KeptAside {};
    return systemError("cannot keep " + path + " as " + kept, errno);
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

std::string PreferencesFile::lockPath(const std::string& path)
{
    std::filesystem::path file(path);
    return (file.parent_path() / ("." + file.filename().string() + ".lock")).string();
}

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
    auto lock = lockFileOf(path);
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
    // A file the readers would refuse costs every keyboard its settings, so
    // it is never written: the XML form can pass their caps where the
    // dictionary read from a binary file did not.
    if (auto readable = PropertyList::parse(bytes.value(), limits); !readable)
        return Error { "the settings would make a file the readers refuse (" + readable.error().message
            + "); it is left as it was" };

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
