#include "platform/foundation/DarwinNotifyCenter.h"

#include "platform/foundation/NSRunLoop.h"
#include "platform/foundation/NeverDestroyed.h"

#include <algorithm>

DarwinNotifyCenter& DarwinNotifyCenter::shared()
{
    static NeverDestroyed<DarwinNotifyCenter> center;
    return center.get();
}

void DarwinNotifyCenter::addObserver(const void* observer, CFNotificationCallback callback, NSString name)
{
    if (!callback || name.isNil())
        return;
    auto existing = std::find_if(m_observations.begin(), m_observations.end(), [&](const auto& observation) {
        return observation->observer == observer && observation->name == name.utf8();
    });
    if (existing != m_observations.end())
        (*existing)->callback = callback;
    else
        m_observations.push_back(
            std::make_shared<Observation>(Observation { observer, callback, name.utf8() }));
    updateListening();
}

void DarwinNotifyCenter::removeObserver(const void* observer, NSString name)
{
    std::erase_if(m_observations, [&](const std::shared_ptr<Observation>& observation) {
        bool removed
            = observation->observer == observer && (name.isNil() || observation->name == name.utf8());
        observation->isRemoved |= removed;
        return removed;
    });
    updateListening();
}

void DarwinNotifyCenter::post(NSString name)
{
    if (name.isNil())
        return;
    updateListening();
    enqueue({ name.utf8() });
    m_transport.broadcast(name.utf8());
}

void DarwinNotifyCenter::receivePending()
{
    m_transport.receivePending();
}

void DarwinNotifyCenter::updateListening()
{
    if (m_observations.empty())
        m_transport.stopListening();
    else
        m_transport.listen(
            [this](const DarwinNotifyTransport::ReceivedNames& received) { enqueue(received); });
}

bool DarwinNotifyCenter::isObserved(const std::string& name) const
{
    return std::any_of(m_observations.begin(), m_observations.end(),
        [&](const auto& observation) { return observation->name == name; });
}

void DarwinNotifyCenter::enqueue(const DarwinNotifyTransport::ReceivedNames& received)
{
    if (!received.someWereDropped) {
        enqueue(received.names);
        return;
    }
    // Names were dropped on the way: any observed one may have been posted.
    std::vector<std::string> observed;
    for (const auto& observation : m_observations)
        observed.push_back(observation->name);
    enqueue(observed);
}

void DarwinNotifyCenter::enqueue(const std::vector<std::string>& names)
{
    // Only names someone here observes are kept, each once until delivered,
    // so a burst of posts costs no more memory than one.
    for (const std::string& name : names) {
        if (isObserved(name) && m_pendingNameSet.insert(name).second)
            m_pendingNames.push_back(name);
    }
    if (m_pendingNames.empty() || m_isDeliveryScheduled)
        return;
    m_isDeliveryScheduled = true;
    NSRunLoop::main().performOnNextTurn([this] { deliverPending(); });
}

void DarwinNotifyCenter::deliverPending()
{
    m_isDeliveryScheduled = false;
    std::vector<std::string> names;
    names.swap(m_pendingNames);
    m_pendingNameSet.clear();
    CFNotificationCenterRef center = CFNotificationCenterGetDarwinNotifyCenter();
    for (const std::string& name : names) {
        // Callbacks may add or remove observers.
        auto snapshot = m_observations;
        for (const auto& observation : snapshot) {
            if (observation->isRemoved || observation->name != name)
                continue;
            observation->callback(
                center, const_cast<void*>(observation->observer), NSString(name), nullptr, nullptr);
        }
    }
}

void DarwinNotifyCenter::reset()
{
    for (auto& observation : m_observations)
        observation->isRemoved = true;
    m_observations.clear();
    m_pendingNames.clear();
    m_pendingNameSet.clear();
    m_isDeliveryScheduled = false;
    m_transport.reset();
}
