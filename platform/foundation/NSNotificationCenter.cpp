#include "platform/foundation/NSNotificationCenter.h"

#include "platform/foundation/NeverDestroyed.h"
#include "platform/runtime/Message.h"

NSNotificationCenter* NSNotificationCenter::defaultCenter()
{
    static NeverDestroyed<NSNotificationCenter> center;
    return &center.get();
}

void NSNotificationCenter::addObserver(
    NSObject* observer, const Selector<void(NSNotification*)>& selector, NSString name, NSObject* object)
{
    // A message needs a receiver.
    if (!observer)
        return;
    Selector<void(NSNotification*)> message = selector;
    add(
        observer,
        [observer, message](NSNotification* notification) { send(observer, message, notification); },
        std::move(name), object);
}

void NSNotificationCenter::addObserver(NSObject* observer, Block block, NSString name, NSObject* object)
{
    if (block)
        add(observer, std::move(block), std::move(name), object);
}

void NSNotificationCenter::add(NSObject* observer, Block deliver, NSString name, NSObject* object)
{
    m_registrations.push_back(std::make_shared<Registration>(
        Registration { observer, observer != nullptr, std::move(deliver), std::move(name), object, object }));
}

void NSNotificationCenter::removeObserver(NSObject* observer)
{
    removeObserver(observer, NSString(), nullptr);
}

void NSNotificationCenter::removeObserver(NSObject* observer, NSString name, NSObject* object)
{
    if (!observer)
        return;
    std::erase_if(m_registrations, [&](const std::shared_ptr<Registration>& registration) {
        bool removed = registration->hasObserver && registration->observer.get() == observer
            && (name.isNil() || registration->name == name)
            && (!object || registration->objectIdentity == object);
        // A post in progress may still hold it; it must not deliver any more.
        registration->isRemoved |= removed;
        return removed;
    });
}

bool NSNotificationCenter::matches(const Registration& registration, const NSNotification& notification)
{
    if (!registration.name.isNil() && registration.name != notification.name())
        return false;
    if (!registration.objectIdentity)
        return true;
    return registration.object.get() && registration.objectIdentity == notification.object();
}

void NSNotificationCenter::postNotificationName(
    NSString name, NSObject* object, RefPtr<NSMutableDictionary> userInfo)
{
    auto notification = makeRef<NSNotification>(std::move(name), object, std::move(userInfo));
    postNotification(notification.get());
}

void NSNotificationCenter::postNotification(NSNotification* notification)
{
    if (!notification)
        return;
    RefPtr<NSNotification> protect(notification);
    // Observers may add and remove registrations while they are called.
    auto snapshot = m_registrations;
    for (const auto& registration : snapshot) {
        if (registration->isRemoved || !matches(*registration, *notification))
            continue;
        RefPtr<NSObject> observer(registration->observer.get());
        if (registration->hasObserver && !observer) {
            registration->isRemoved = true;
            continue;
        }
        registration->deliver(notification);
    }
    std::erase_if(m_registrations, [](const auto& registration) {
        return registration->isRemoved || (registration->objectIdentity && !registration->object.get());
    });
}

void NSNotificationCenter::reset()
{
    for (auto& registration : m_registrations)
        registration->isRemoved = true;
    m_registrations.clear();
}
