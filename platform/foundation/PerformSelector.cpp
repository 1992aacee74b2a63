#include "platform/foundation/PerformSelector.h"

#include "platform/foundation/NSTimer.h"
#include "platform/foundation/NeverDestroyed.h"
#include "platform/runtime/WeakPtr.h"

#include <map>
#include <vector>

namespace {

// Pending requests by target, so that they can be cancelled. A request that
// has run or was cancelled leaves only an empty weak reference, swept later.
using PendingRequests = std::multimap<NSObject*, WeakPtr<NSTimer>>;

PendingRequests& pendingRequests()
{
    static NeverDestroyed<PendingRequests> requests;
    return requests.get();
}

void sweepFinishedRequests()
{
    std::erase_if(
        pendingRequests(), [](const auto& request) { return !request.second || !request.second->isValid(); });
}

} // namespace

void performAfterDelay(NSObject* target, std::function<void(NSObject*)> action, double delay)
{
    if (!target || !action)
        return;
    sweepFinishedRequests();
    RefPtr<NSObject> keptTarget(target);
    auto timer = NSTimer::scheduledTimerWithTimeInterval(
        delay, false, [keptTarget, action = std::move(action)](NSTimer*) { action(keptTarget.get()); });
    pendingRequests().emplace(target, timer.get());
}

void cancelPreviousPerformRequestsWithTarget(NSObject* target)
{
    auto [first, last] = pendingRequests().equal_range(target);
    std::vector<RefPtr<NSTimer>> cancelled;
    for (auto request = first; request != last; ++request) {
        if (request->second)
            cancelled.emplace_back(request->second.get());
    }
    pendingRequests().erase(first, last);
    for (auto& timer : cancelled)
        timer->invalidate();
}
