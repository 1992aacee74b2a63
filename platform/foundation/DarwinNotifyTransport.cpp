#include "platform/foundation/DarwinNotifyTransport.h"

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/FileDescriptor.h"
#include "platform/foundation/FileIO.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/UTF8.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unordered_set>

namespace {

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

constexpr std::string_view datagramMagic = "CVN1";
constexpr const char* sharedRunFolderInDevice = "/var/run";
constexpr std::string_view socketSuffix = ".sock";
constexpr std::string_view mailboxSuffix = ".pending";
// A flood must not keep one turn of the run loop busy for ever.
constexpr int maximumDatagramsPerTurn = 4096;
// A mailbox holds at most this many names. Past it the poster leaves this
// mark instead (not a letter's name: letters are hexadecimal), which tells
// the listener that some names were dropped, so that it takes every name it
// observes as posted: a name is a flag, and a flag raised once too often
// costs an observer a look, where a dropped one would cost a change.
constexpr int mailboxCapacity = 64;
constexpr const char* overflowMark = "overflowed";

// Each user has a folder of their own: another user can neither take its
// place nor read the names posted there.
std::string socketFolderInDevice()
{
    return std::string(sharedRunFolderInDevice) + "/corvane-notify-" + std::to_string(::geteuid());
}

std::string describeSystemError(const std::string& what, int error)
{
    return what + ": " + std::strerror(error);
}

std::string ownSocketName()
{
    return std::to_string(::getpid()) + std::string(socketSuffix);
}

// "<pid>.sock", nothing else: the pid, or 0 for any other name.
pid_t pidOfSocketName(std::string_view name)
{
    if (name.size() <= socketSuffix.size() || !name.ends_with(socketSuffix))
        return 0;
    pid_t pid = 0;
    for (char character : name.substr(0, name.size() - socketSuffix.size())) {
        if (character < '0' || character > '9' || pid > 100000000)
            return 0;
        pid = pid * 10 + (character - '0');
    }
    return pid;
}

// The mailbox of the listener with that socket: "<pid>.pending".
std::string mailboxOf(const std::string& socketName)
{
    return socketName.substr(0, socketName.size() - socketSuffix.size()) + std::string(mailboxSuffix);
}

// A name's file in a mailbox; the same name always makes the same file, so
// repeated posts of it leave one.
std::string letterFor(std::string_view name)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char character : name) {
        hash ^= character;
        hash *= 1099511628211ull;
    }
    char letter[17];
    std::snprintf(letter, sizeof letter, "%016llx", static_cast<unsigned long long>(hash));
    return letter;
}

int openMailbox(int folder, const std::string& mailbox)
{
    return ::openat(folder, mailbox.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

using FolderListing = std::unique_ptr<DIR, DirectoryCloser>;

// Nothing when there is no such mailbox.
FolderListing listMailbox(int folder, const std::string& mailbox)
{
    int box = openMailbox(folder, mailbox);
    if (box < 0)
        return nullptr;
    FolderListing listing(::fdopendir(box));
    if (!listing)
        ::close(box);
    return listing;
}

bool isWaitingIn(int box, const char* entry)
{
    struct stat waiting { };
    return ::fstatat(box, entry, &waiting, AT_SYMLINK_NOFOLLOW) == 0;
}

// Letters and the overflow mark; drafts (hidden) are not counted.
int countLetters(int box)
{
    int copy = ::dup(box);
    if (copy < 0)
        return mailboxCapacity;
    FolderListing listing(::fdopendir(copy));
    if (!listing) {
        ::close(copy);
        return mailboxCapacity;
    }
    int letters = 0;
    while (dirent* entry = ::readdir(listing.get())) {
        if (entry->d_name[0] != '.')
            ++letters;
    }
    return letters;
}

// Leaves the overflow mark, and answers whether this post made it.
bool markOverflow(int box)
{
    FileDescriptor mark(
        ::openat(box, overflowMark, O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    return mark.isValid();
}

// Writes the name into the mailbox as a whole file, drafted under a hidden
// name and renamed into place, and answers whether it did: not when the name
// waits there already (or the overflow mark, which stands for every name),
// nor when there is no mailbox. A full mailbox gets the overflow mark.
bool leaveInMailbox(int folder, const std::string& mailbox, const std::string& name)
{
    FileDescriptor box(openMailbox(folder, mailbox));
    if (!box.isValid())
        return false;
    std::string letter = letterFor(name);
    if (isWaitingIn(box.get(), letter.c_str()) || isWaitingIn(box.get(), overflowMark))
        return false;
    // Posters at the same moment may each add one past the capacity; the
    // mailbox stays bounded all the same.
    if (countLetters(box.get()) >= mailboxCapacity)
        return markOverflow(box.get());
    std::string draft = "." + letter + "." + std::to_string(::getpid());
    FileDescriptor file(
        ::openat(box.get(), draft.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!file.isValid())
        return false;
    bool written = ::write(file.get(), name.data(), name.size()) == static_cast<ssize_t>(name.size());
    if (!written || ::renameat(box.get(), draft.c_str(), box.get(), letter.c_str()) != 0) {
        ::unlinkat(box.get(), draft.c_str(), 0);
        return false;
    }
    return true;
}

// A mailbox holds only files; it goes with its listener.
void removeMailbox(int folder, const std::string& mailbox)
{
    FolderListing listing = listMailbox(folder, mailbox);
    if (!listing)
        return;
    while (dirent* entry = ::readdir(listing.get())) {
        if (std::string_view(entry->d_name) != "." && std::string_view(entry->d_name) != "..")
            ::unlinkat(::dirfd(listing.get()), entry->d_name, 0);
    }
    ::unlinkat(folder, mailbox.c_str(), AT_REMOVEDIR);
}

void removeListenerFiles(int folder, const std::string& socketName)
{
    ::unlinkat(folder, socketName.c_str(), 0);
    removeMailbox(folder, mailboxOf(socketName));
}

// Addresses a socket through the open folder, so that a deep device root
// never overflows the short path field of a socket address.
bool socketAddress(int folder, const std::string& socketName, sockaddr_un& address)
{
    address = sockaddr_un {};
    address.sun_family = AF_UNIX;
    int length = std::snprintf(
        address.sun_path, sizeof address.sun_path, "/proc/self/fd/%d/%s", folder, socketName.c_str());
    return length > 0 && static_cast<std::size_t>(length) < sizeof address.sun_path;
}

const sockaddr* asSocketAddress(const sockaddr_un& address)
{
    return reinterpret_cast<const sockaddr*>(&address);
}

enum class SendResult { Sent, QueueFull, Gone };

SendResult sendTo(int sending, int folder, const std::string& socketName, const std::string& name)
{
    sockaddr_un address;
    if (!socketAddress(folder, socketName, address))
        return SendResult::Gone;
    std::string datagram = std::string(datagramMagic) + name;
    while (true) {
        if (::sendto(sending, datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                asSocketAddress(address), sizeof address)
            >= 0)
            return SendResult::Sent;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS)
            return SendResult::QueueFull;
        break;
    }
    // Nobody listens there any more; when its process is gone, its files go too.
    if (errno == ECONNREFUSED) {
        pid_t pid = pidOfSocketName(socketName);
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            removeListenerFiles(folder, socketName);
    }
    return SendResult::Gone;
}

// Puts the name in the listener's queue, or in its mailbox when the queue is full.
void deliverTo(int sending, int folder, const std::string& socketName, const std::string& name)
{
    if (sendTo(sending, folder, socketName, name) != SendResult::QueueFull)
        return;
    if (!leaveInMailbox(folder, mailboxOf(socketName), name))
        return;
    // The listener may have emptied its queue and mailbox just before the
    // name was left there; one more datagram makes it look again. If the
    // queue is full once more, it has that to read first, and looks after.
    // (A name already waiting was left before the listener's next look.)
    sendTo(sending, folder, socketName, name);
}

} // namespace

std::string DarwinNotifyTransport::socketFolder()
{
    return DeviceRoot::devicePath(socketFolderInDevice());
}

ErrorOr<int> DarwinNotifyTransport::openSocketFolder(const std::string& root, bool create)
{
    std::string path = DeviceRoot::devicePathIn(root, socketFolderInDevice());
    if (create) {
        TRY(FileIO::makeFolders(
            DeviceRoot::devicePathIn(root, sharedRunFolderInDevice), FileIO::sharedFolderMode));
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return Error { describeSystemError("cannot make " + path, errno) };
    }
    FileDescriptor folder(::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!folder.isValid())
        return Error { describeSystemError("cannot open " + path, errno) };
    // Only a folder of our own, closed to everyone else, carries our names.
    struct stat status { };
    if (::fstat(folder.get(), &status) != 0)
        return Error { describeSystemError("cannot inspect " + path, errno) };
    if (status.st_uid != ::geteuid())
        return Error { path + " belongs to another user (uid " + std::to_string(status.st_uid) + ")" };
    if ((status.st_mode & 07777) != 0700 && ::fchmod(folder.get(), 0700) != 0)
        return Error { describeSystemError("cannot close " + path + " to other users", errno) };
    int opened = folder.get();
    (void)folder.release();
    return opened;
}

bool DarwinNotifyTransport::isWellFormedName(std::string_view name)
{
    if (name.empty() || name.size() > maximumNameLength || !utf8::isValid(name))
        return false;
    for (char character : name) {
        if (static_cast<unsigned char>(character) < 0x20 || character == 0x7F)
            return false;
    }
    return true;
}

void DarwinNotifyTransport::reportListeningFailure(const std::string& root, const std::string& problem)
{
    m_listeningProblem = problem;
    // Once per root: every post retries, and the log should not fill up.
    if (m_reportedRoot == root)
        return;
    m_reportedRoot = root;
    NSLog("Darwin notifications: this process cannot listen, so what other processes post will not "
          "reach it: %@",
        { NSString(problem) });
}

bool DarwinNotifyTransport::listen(NamesReceived namesReceived)
{
    m_namesReceived = std::move(namesReceived);
    std::string root = DeviceRoot::path();
    if (isListening() && m_listeningRoot == root)
        return true;
    stopListening();

    auto opened = openSocketFolder(root, true);
    if (!opened) {
        reportListeningFailure(root, opened.error().message);
        return false;
    }
    int folder = opened.value();
    std::string socketName = ownSocketName();
    // A socket and mailbox left behind by an earlier process with our pid are stale.
    ::unlinkat(folder, socketName.c_str(), 0);
    removeMailbox(folder, mailboxOf(socketName));
    int listening = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_un address;
    bool bound = listening >= 0 && ::mkdirat(folder, mailboxOf(socketName).c_str(), 0700) == 0
        && socketAddress(folder, socketName, address)
        && ::bind(listening, asSocketAddress(address), sizeof address) == 0;
    int bindError = errno;
    if (!bound)
        removeMailbox(folder, mailboxOf(socketName));
    ::close(folder);
    if (!bound) {
        if (listening >= 0)
            ::close(listening);
        reportListeningFailure(root,
            describeSystemError(
                "cannot make a socket in " + DeviceRoot::devicePathIn(root, socketFolderInDevice()),
                bindError));
        return false;
    }
    m_listeningProblem.clear();
    m_listeningSocket = listening;
    m_listeningPid = ::getpid();
    m_listeningRoot = root;
    m_listeningSocketName = socketName;
    m_listeningSource = NSRunLoop::main().addFileDescriptorSource(listening, [this] { receivePending(); });
    return true;
}

void DarwinNotifyTransport::stopListening()
{
    m_listeningProblem.clear();
    if (m_listeningSocket < 0)
        return;
    // A child made by fork closes its copy but leaves its parent's files alone.
    if (m_listeningPid == ::getpid()) {
        if (auto folder = openSocketFolder(m_listeningRoot, false)) {
            removeListenerFiles(folder.value(), m_listeningSocketName);
            ::close(folder.value());
        }
    }
    NSRunLoop::main().removeFileDescriptorSource(m_listeningSource);
    ::close(m_listeningSocket);
    m_listeningSocket = -1;
    m_listeningPid = 0;
}

void DarwinNotifyTransport::receivePending()
{
    if (m_listeningSocket < 0)
        return;
    if (m_listeningPid != ::getpid()) {
        stopListening();
        return;
    }
    ReceivedNames received;
    receiveDatagrams(received);
    // After the queue: a name left in the mailbox while the queue was full
    // is found now, however soon its poster went.
    emptyMailbox(received);
    if ((!received.names.empty() || received.someWereDropped) && m_namesReceived)
        m_namesReceived(received);
}

void DarwinNotifyTransport::ReceivedNames::add(std::string_view name)
{
    if (isWellFormedName(name) && m_seen.emplace(name).second)
        names.emplace_back(name);
}

void DarwinNotifyTransport::receiveDatagrams(ReceivedNames& received)
{
    std::string buffer(datagramMagic.size() + maximumNameLength + 1, '\0');
    for (int count = 0; count < maximumDatagramsPerTurn; ++count) {
        // MSG_TRUNC answers the datagram's real length, so an oversized one shows.
        ssize_t length = ::recv(m_listeningSocket, buffer.data(), buffer.size(), MSG_DONTWAIT | MSG_TRUNC);
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0)
            break;
        if (static_cast<std::size_t>(length) > buffer.size())
            continue;
        std::string_view datagram(buffer.data(), static_cast<std::size_t>(length));
        if (!datagram.starts_with(datagramMagic))
            continue;
        received.add(datagram.substr(datagramMagic.size()));
    }
}

void DarwinNotifyTransport::emptyMailbox(ReceivedNames& received)
{
    auto folder = openSocketFolder(m_listeningRoot, false);
    if (!folder)
        return;
    FolderListing listing = listMailbox(folder.value(), mailboxOf(m_listeningSocketName));
    ::close(folder.value());
    if (!listing)
        return;
    std::string buffer(maximumNameLength + 1, '\0');
    while (dirent* entry = ::readdir(listing.get())) {
        // Hidden files are letters still being written.
        if (entry->d_name[0] == '.')
            continue;
        int box = ::dirfd(listing.get());
        if (std::string_view(entry->d_name) == overflowMark) {
            ::unlinkat(box, entry->d_name, 0);
            received.someWereDropped = true;
            continue;
        }
        FileDescriptor letter(::openat(box, entry->d_name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
        // Taken out before it is read: a post of the same name from here on leaves a new one.
        ::unlinkat(box, entry->d_name, 0);
        if (!letter.isValid())
            continue;
        ssize_t length = ::read(letter.get(), buffer.data(), buffer.size());
        if (length <= 0)
            continue;
        received.add(std::string_view(buffer.data(), static_cast<std::size_t>(length)));
    }
}

void DarwinNotifyTransport::broadcast(const std::string& name)
{
    if (!isWellFormedName(name))
        return;
    auto opened = openSocketFolder(DeviceRoot::path(), false);
    if (!opened)
        return;
    int folder = opened.value();
    // A socket of its own for each post: datagrams waiting in queues that are
    // full count against the socket that sent them, and must not use up what
    // a later post has for listeners that read.
    FileDescriptor sending(::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0));
    int listingCopy = ::dup(folder);
    FolderListing listing(listingCopy >= 0 ? ::fdopendir(listingCopy) : nullptr);
    if (!listing && listingCopy >= 0)
        ::close(listingCopy);
    std::string own = ownSocketName();
    while (listing && sending.isValid()) {
        dirent* entry = ::readdir(listing.get());
        if (!entry)
            break;
        std::string socketName = entry->d_name;
        if (pidOfSocketName(socketName) == 0 || socketName == own)
            continue;
        deliverTo(sending.get(), folder, socketName, name);
    }
    ::close(folder);
}

void DarwinNotifyTransport::reset()
{
    stopListening();
    m_namesReceived = nullptr;
}
