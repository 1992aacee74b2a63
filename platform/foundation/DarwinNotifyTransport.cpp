#include "platform/foundation/DarwinNotifyTransport.h"

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/UTF8.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdio>
#include <dirent.h>
#include <fcntl.h>
#include <filesystem>
#include <memory>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

namespace {

constexpr std::string_view datagramMagic = "CVN1";
constexpr const char* socketFolderInDevice = "/var/run/corvane-notify";
constexpr double retryInterval = 0.01;
// A flood must not keep one turn of the run loop busy for ever.
constexpr int maximumDatagramsPerTurn = 4096;

std::string ownSocketName()
{
    return std::to_string(::getpid()) + ".sock";
}

// "<pid>.sock", nothing else: the pid, or 0 for any other name.
pid_t pidOfSocketName(std::string_view name)
{
    constexpr std::string_view suffix = ".sock";
    if (name.size() <= suffix.size() || !name.ends_with(suffix))
        return 0;
    pid_t pid = 0;
    for (char character : name.substr(0, name.size() - suffix.size())) {
        if (character < '0' || character > '9' || pid > 100000000)
            return 0;
        pid = pid * 10 + (character - '0');
    }
    return pid;
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

struct DirectoryCloser {
    void operator()(DIR* directory) const { ::closedir(directory); }
};

} // namespace

std::string DarwinNotifyTransport::socketFolder()
{
    return DeviceRoot::devicePath(socketFolderInDevice);
}

int DarwinNotifyTransport::openSocketFolder(const std::string& root, bool create)
{
    std::string path = DeviceRoot::devicePathIn(root, socketFolderInDevice);
    if (create) {
        std::error_code ignored;
        std::filesystem::create_directories(std::filesystem::path(path).parent_path(), ignored);
        if (::mkdir(path.c_str(), 0700) != 0 && errno != EEXIST)
            return -1;
    }
    int folder = ::open(path.c_str(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (folder < 0)
        return -1;
    // Only a folder of our own, closed to everyone else, carries our names.
    struct stat status { };
    if (::fstat(folder, &status) != 0 || status.st_uid != ::geteuid()) {
        ::close(folder);
        return -1;
    }
    if ((status.st_mode & 077) != 0)
        ::fchmod(folder, 0700);
    return folder;
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

void DarwinNotifyTransport::reportListeningFailure(const std::string& root)
{
    // Once per root: every post retries, and the log should not fill up.
    if (m_reportedRoot == root)
        return;
    m_reportedRoot = root;
    NSLog("Darwin notifications: cannot listen in %@",
        { NSString(DeviceRoot::devicePathIn(root, socketFolderInDevice)) });
}

bool DarwinNotifyTransport::listen(NamesReceived namesReceived)
{
    m_namesReceived = std::move(namesReceived);
    std::string root = DeviceRoot::path();
    if (isListening() && m_listeningRoot == root)
        return true;
    stopListening();

    int folder = openSocketFolder(root, true);
    if (folder < 0) {
        reportListeningFailure(root);
        return false;
    }
    std::string socketName = ownSocketName();
    // A socket left behind by an earlier process with our pid is stale.
    ::unlinkat(folder, socketName.c_str(), 0);
    int listening = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    sockaddr_un address;
    bool bound = listening >= 0 && socketAddress(folder, socketName, address)
        && ::bind(listening, asSocketAddress(address), sizeof address) == 0;
    ::close(folder);
    if (!bound) {
        if (listening >= 0)
            ::close(listening);
        reportListeningFailure(root);
        return false;
    }
    m_listeningSocket = listening;
    m_listeningPid = ::getpid();
    m_listeningRoot = root;
    m_listeningSocketName = socketName;
    m_listeningSource = NSRunLoop::main().addFileDescriptorSource(listening, [this] { receiveAll(); });
    return true;
}

void DarwinNotifyTransport::stopListening()
{
    if (m_listeningSocket < 0)
        return;
    // A child made by fork closes its copy but leaves its parent's socket file alone.
    if (m_listeningPid == ::getpid())
        ::unlink(
            DeviceRoot::devicePathIn(m_listeningRoot, socketFolderInDevice + ("/" + m_listeningSocketName))
                .c_str());
    NSRunLoop::main().removeFileDescriptorSource(m_listeningSource);
    ::close(m_listeningSocket);
    m_listeningSocket = -1;
    m_listeningPid = 0;
}

void DarwinNotifyTransport::receiveAll()
{
    if (m_listeningPid != ::getpid()) {
        stopListening();
        return;
    }
    std::vector<std::string> names;
    std::string buffer(datagramMagic.size() + maximumNameLength + 1, '\0');
    for (int datagram = 0; datagram < maximumDatagramsPerTurn; ++datagram) {
        // MSG_TRUNC answers the datagram's real length, so an oversized one shows.
        ssize_t length = ::recv(m_listeningSocket, buffer.data(), buffer.size(), MSG_DONTWAIT | MSG_TRUNC);
        if (length < 0 && errno == EINTR)
            continue;
        if (length < 0)
            break;
        if (static_cast<std::size_t>(length) > buffer.size())
            continue;
        std::string_view received(buffer.data(), static_cast<std::size_t>(length));
        if (!received.starts_with(datagramMagic))
            continue;
        std::string_view name = received.substr(datagramMagic.size());
        if (!isWellFormedName(name) || std::find(names.begin(), names.end(), name) != names.end())
            continue;
        names.emplace_back(name);
    }
    if (!names.empty() && m_namesReceived)
        m_namesReceived(names);
}

DarwinNotifyTransport::SendResult DarwinNotifyTransport::sendTo(
    int folder, const std::string& socketName, const std::string& name)
{
    sockaddr_un address;
    if (!socketAddress(folder, socketName, address))
        return SendResult::Gone;
    std::string datagram = std::string(datagramMagic) + name;
    while (true) {
        if (::sendto(m_sendingSocket, datagram.data(), datagram.size(), MSG_DONTWAIT | MSG_NOSIGNAL,
                asSocketAddress(address), sizeof address)
            >= 0)
            return SendResult::Sent;
        if (errno == EINTR)
            continue;
        if (errno == EAGAIN || errno == EWOULDBLOCK || errno == ENOBUFS)
            return SendResult::QueueFull;
        break;
    }
    // Nobody listens there any more; when its process is gone, the file goes too.
    if (errno == ECONNREFUSED) {
        pid_t pid = pidOfSocketName(socketName);
        if (pid > 0 && ::kill(pid, 0) != 0 && errno == ESRCH)
            ::unlinkat(folder, socketName.c_str(), 0);
    }
    return SendResult::Gone;
}

void DarwinNotifyTransport::broadcast(const std::string& name)
{
    if (!isWellFormedName(name))
        return;
    std::string root = DeviceRoot::path();
    if (m_pendingRoot != root) {
        m_pendingSends.clear();
        m_pendingRoot = root;
    }
    int folder = openSocketFolder(root, false);
    if (folder < 0)
        return;
    if (m_sendingSocket < 0 || m_sendingPid != ::getpid()) {
        if (m_sendingSocket >= 0)
            ::close(m_sendingSocket);
        m_sendingSocket = ::socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
        m_sendingPid = ::getpid();
    }
    int listingCopy = ::dup(folder);
    std::unique_ptr<DIR, DirectoryCloser> listing(listingCopy >= 0 ? ::fdopendir(listingCopy) : nullptr);
    if (!listing && listingCopy >= 0)
        ::close(listingCopy);
    std::string own = ownSocketName();
    while (listing && m_sendingSocket >= 0) {
        dirent* entry = ::readdir(listing.get());
        if (!entry)
            break;
        std::string socketName = entry->d_name;
        if (pidOfSocketName(socketName) == 0 || socketName == own)
            continue;
        // A name already waiting for this listener is sent once, later.
        auto pending = m_pendingSends.find(socketName);
        if (pending != m_pendingSends.end() && pending->second.count(name))
            continue;
        if (sendTo(folder, socketName, name) == SendResult::QueueFull) {
            m_pendingSends[socketName].insert(name);
            scheduleRetries();
        }
    }
    ::close(folder);
}

void DarwinNotifyTransport::scheduleRetries()
{
    if (m_retryTimer && m_retryTimer->isValid())
        return;
    m_retryTimer = NSTimer::scheduledTimerWithTimeInterval(
        retryInterval, true, [this](NSTimer*) { retryPendingSends(); });
}

void DarwinNotifyTransport::retryPendingSends()
{
    int folder = m_sendingSocket >= 0 ? openSocketFolder(m_pendingRoot, false) : -1;
    for (auto target = m_pendingSends.begin(); target != m_pendingSends.end();) {
        auto& names = target->second;
        SendResult result = SendResult::Gone;
        for (auto name = names.begin(); folder >= 0 && name != names.end();) {
            result = sendTo(folder, target->first, *name);
            if (result != SendResult::Sent)
                break;
            name = names.erase(name);
        }
        if (folder < 0 || result == SendResult::Gone || names.empty())
            target = m_pendingSends.erase(target);
        else
            ++target;
    }
    if (folder >= 0)
        ::close(folder);
    if (m_pendingSends.empty() && m_retryTimer) {
        m_retryTimer->invalidate();
        m_retryTimer = nullptr;
    }
}

void DarwinNotifyTransport::reset()
{
    stopListening();
    if (m_sendingSocket >= 0 && m_sendingPid == ::getpid())
        ::close(m_sendingSocket);
    m_sendingSocket = -1;
    m_pendingSends.clear();
    m_pendingRoot.clear();
    if (m_retryTimer)
        m_retryTimer->invalidate();
    m_retryTimer = nullptr;
    m_namesReceived = nullptr;
}
