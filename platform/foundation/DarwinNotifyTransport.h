#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/ErrorOr.h"
#include "platform/foundation/NSRunLoop.h"

#include <functional>
#include <string>
#include <string_view>
#include <sys/types.h>
#include <unistd.h>
#include <unordered_set>
#include <vector>

// Carries notification names between one user's processes of one device
// root without a daemon: every listening process binds a Unix datagram
// socket "<pid>.sock" in the root's "var/run/corvane-notify-<uid>" folder
// (the user's own, closed to everyone else, its owner checked), and a post
// sends the name to each socket there but its own. Sockets left by dead
// processes are removed; datagrams that are malformed, oversized or not
// valid text are ignored.
//
// A listener's queue holds only a few datagrams. When it is full, the post
// leaves the name in the listener's mailbox, the folder "<pid>.pending" (one
// file per name, so repeated posts of a name coalesce), before it returns:
// the name reaches the listener however soon the poster exits, and nothing
// is retried later. A mailbox holds a bounded number of names; past that
// the poster leaves a mark that some were dropped, and the listener takes
// every name it observes as posted. The listener empties its mailbox after
// its queue, each time it reads; a listener that never reads costs a post
// one failed send and, at most, one small file.
class PLATFORM_EXPORT DarwinNotifyTransport {
public:
    // What one read found: each name once, in the order it came.
    class ReceivedNames {
    public:
        std::vector<std::string> names;
        // The mailbox was full: names posted meanwhile may be missing.
        bool someWereDropped { false };

        void add(std::string_view name);

    private:
        std::unordered_set<std::string> m_seen;
    };
    using NamesReceived = std::function<void(const ReceivedNames& received)>;

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
    // Why the last attempt to listen failed; empty once listening works.
    const std::string& listeningProblem() const { return m_listeningProblem; }

    // Sends the name to every other listening process of the current root;
    // when it returns, each of them has the name waiting.
    void broadcast(const std::string& name);

    // Reads every name waiting for this process now and hands them over;
    // the run loop does this whenever the socket is readable.
    void receivePending();

    // Closes everything (for tests).
    void reset();

private:
    // The user's own socket folder, open; made first when `create` says so.
    static ErrorOr<int> openSocketFolder(const std::string& root, bool create);
    void receiveDatagrams(ReceivedNames& received);
    void emptyMailbox(ReceivedNames& received);
    void reportListeningFailure(const std::string& root, const std::string& problem);
    static bool isWellFormedName(std::string_view name);

    int m_listeningSocket { -1 };
    pid_t m_listeningPid { 0 };
    std::string m_listeningRoot;
    std::string m_listeningSocketName;
    NSRunLoop::SourceIdentifier m_listeningSource { 0 };
    NamesReceived m_namesReceived;
    std::string m_reportedRoot;
    std::string m_listeningProblem;
};
