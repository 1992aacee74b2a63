#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/NSObject.h"

// Shared between an object and the weak references to it: it outlives the
// object and says whether the object is still there.
class PLATFORM_EXPORT WeakReferenceControl {
public:
    explicit WeakReferenceControl(NSObject* object)
        : m_object(object)
    {
    }
    void ref() { ++m_referenceCount; }
    void deref()
    {
        if (--m_referenceCount == 0)
            delete this; // NOLINT: the control block owns itself
    }
    NSObject* object() const { return m_object; }
    void objectDestroyed() { m_object = nullptr; }

private:
    int m_referenceCount { 1 };
    NSObject* m_object;
};

// A reference that does not keep its object alive and reads as nothing once
// the object is gone, so it can never dangle.
template <typename T> class WeakPtr {
public:
    WeakPtr() = default;
    WeakPtr(std::nullptr_t) { }
    WeakPtr(T* object)
    {
        if (object)
            m_control = RefPtr(object->weakReferenceControl());
    }
    WeakPtr& operator=(T* object) { return *this = WeakPtr(object); }
    WeakPtr& operator=(std::nullptr_t) { return *this = WeakPtr(); }

    T* get() const { return m_control ? static_cast<T*>(m_control->object()) : nullptr; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get(); }
    bool operator==(const T* object) const { return get() == object; }

private:
    RefPtr<WeakReferenceControl> m_control;
};
