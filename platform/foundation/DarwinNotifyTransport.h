#pragma once

#include "platform/foundation/NSRunLoop.h"

#include <functional>
#include <map>
#include <set>
#include <string>
#include <sys/types.h>
#include <unistd.h>
#include <vector>

// Carries notification names between the processes of one device root
// without a daemon: every listening process binds a Unix datagram socket
// "<pid>.sock" in the root's "var/run/corvane-notify" folder (owner only),
// and a post sends the name to each socket there but its own. Sockets left
// by dead processes are removed; datagrams that are malformed, oversized or
// not valid text are ignored. When a listener's queue is full, the name is
// kept (once per listener) and sent again from the run loop, so a burst
// costs bounded memory and the listener still hears the name after the
// last post.
class DarwinNotifyTransport {
public:
    using NamesReceived = std::function<void(const std::vector<std::string>& names)>;

    DarwinNotifyTransport() = default;
    DarwinNotifyTransport(const DarwinNotifyTransport&) = delete;
    DarwinNotifyTransport& operator=(const DarwinNotifyTransport&) = delete;

    static constexpr std::size_t maximumNameLength = 1024;
    // The folder of the sockets in the current device root.
    static std::string socketFolder();

    // Starts (or keeps) listening in the current device root; a process made
    // by fork or a change of root gets its own fresh socket. False when the
    // folder or socket cannot be made.
    bool listen(NamesReceived namesReceived);
    void stopListening();
    bool isListening() const { return m_listeningSocket >= 0 && m_listeningPid == ::getpid(); }

    // Sends the name to every other listening process of the current root.
    void broadcast(const std::string& name);

    // Closes everything and forgets pending sends (for tests).
    void reset();

private:
    enum class SendResult { Sent, QueueFull, Gone };

    static int openSocketFolder(const std::string& root, bool create);
    SendResult sendTo(int folder, const std::string& socketName, const std::string& name);
    void scheduleRetries();
    void retryPendingSends();
    void receiveAll();
    void reportListeningFailure(const std::string& root);
    static bool isWellFormedName(std::string_view name);

    int m_listeningSocket { -1 };
    pid_t m_listeningPid { 0 };
    std::string m_listeningRoot;
    std::string m_listeningSocketName;
    NSRunLoop::SourceIdentifier m_listeningSource { 0 };
    NamesReceived m_namesReceived;
    std::string m_reportedRoot;

    int m_sendingSocket { -1 };
    pid_t m_sendingPid { 0 };
    // Names waiting for room in a listener's queue, by the listener's socket
    // file (in the root they were posted in).
    std::string m_pendingRoot;
    std::map<std::string, std::set<std::string>> m_pendingSends;
    RefPtr<NSTimer> m_retryTimer;
};
