#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSNotification.h"
#include "platform/runtime/Selector.h"
#include "platform/runtime/WeakPtr.h"

#include <functional>
#include <memory>
#include <vector>

template <typename> class NeverDestroyed;

// The process's notification centre: a post reaches, at once and in the
// order they were added, every observer registered for its name (or for
// every name) and its object (or for any object). Observers are not kept
// alive: one that has gone is skipped and forgotten, and so is a
// registration for a particular object once that object has gone.
class PLATFORM_EXPORT NSNotificationCenter {
public:
    using Block = std::function<void(NSNotification*)>;

    static NSNotificationCenter* defaultCenter();

    NSNotificationCenter(const NSNotificationCenter&) = delete;
    NSNotificationCenter& operator=(const NSNotificationCenter&) = delete;

    // A nil name observes every name; a null object, every object. The
    // message is sent through the observer's method table.
    void addObserver(
        NSObject* observer, const Selector<void(NSNotification*)>& selector, NSString name, NSObject* object);
    // The block runs in place of a message; it is removed with its observer.
    // Without an observer it stays until the centre is reset.
    void addObserver(NSObject* observer, Block block, NSString name, NSObject* object);
    void removeObserver(NSObject* observer);
    // Only the registrations for that name (nil: any) and object (null: any).
    void removeObserver(NSObject* observer, NSString name, NSObject* object = nullptr);

    void postNotificationName(
        NSString name, NSObject* object, RefPtr<NSMutableDictionary> userInfo = nullptr);
    void postNotification(NSNotification* notification);

    // Forgets every observer (for tests).
    void reset();

private:
    template <typename> friend class NeverDestroyed;
    NSNotificationCenter() = default;

    struct Registration {
        WeakPtr<NSObject> observer;
        bool hasObserver;
        Block deliver;
        NSString name;
        WeakPtr<NSObject> object;
        const NSObject* objectIdentity;
        bool isRemoved { false };
    };
    void add(NSObject* observer, Block deliver, NSString name, NSObject* object);
    static bool matches(const Registration& registration, const NSNotification& notification);

    std::vector<std::shared_ptr<Registration>> m_registrations;
};
