#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/DarwinNotifyTransport.h"

#include <memory>
#include <set>
#include <string>
#include <unordered_set>
#include <vector>

template <typename> class NeverDestroyed;

// The Darwin notification centre behind the C interface: the observers of
// this process and their delivery. A name posted here or arriving from
// another process of the device root is delivered on the next turn of the
// main run loop, once per turn however often it was posted meanwhile.
class PLATFORM_EXPORT DarwinNotifyCenter {
public:
    static DarwinNotifyCenter& shared();

    DarwinNotifyCenter(const DarwinNotifyCenter&) = delete;
    DarwinNotifyCenter& operator=(const DarwinNotifyCenter&) = delete;

    void addObserver(const void* observer, CFNotificationCallback callback, NSString name);
    // Every name when the name is nil.
    void removeObserver(const void* observer, NSString name);
    void post(NSString name);

    // Reads now what other processes posted to this one and delivers it on
    // the next turn, as the run loop does whenever the socket is readable.
    void receivePending();

    // Why this process cannot hear what other processes post, though it has
    // observers; empty while it can (or needs not).
    const std::string& listeningProblem() const { return m_transport.listeningProblem(); }

    // Forgets every observer and pending delivery and closes the socket (for tests).
    void reset();

private:
    template <typename> friend class NeverDestroyed;
    DarwinNotifyCenter() = default;

    struct Observation {
        const void* observer;
        CFNotificationCallback callback;
        std::string name;
        bool isRemoved { false };
    };

    // Listens while there are observers, in the current device root and process.
    void updateListening();
    void enqueue(const std::vector<std::string>& names);
    void enqueue(const DarwinNotifyTransport::ReceivedNames& received);
    void deliverPending();
    bool isObserved(const std::string& name) const;

    std::vector<std::shared_ptr<Observation>> m_observations;
    std::vector<std::string> m_pendingNames;
    std::unordered_set<std::string> m_pendingNameSet;
    bool m_isDeliveryScheduled { false };
    DarwinNotifyTransport m_transport;
};
