#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/RefPtr.h"

#include <string>

class Class;
class WeakReferenceControl;

// Root of every object the runtime sends messages to. Objects are
// reference-counted (a new object starts at 1 and is adopted by makeRef) and
// live on the main thread only, so the count is not atomic.
class PLATFORM_EXPORT NSObject {
public:
    explicit NSObject(Class* isa);
    NSObject(const NSObject&) = delete;
    NSObject& operator=(const NSObject&) = delete;
    virtual ~NSObject();

    static Class* staticClass();

    void ref() { ++m_referenceCount; }
    void deref()
    {
        if (--m_referenceCount == 0)
            destroy();
    }
    int referenceCount() const { return m_referenceCount; }

    Class* isa() const { return m_isa; }
    bool isKindOfClass(const Class* cls) const;
    const std::string& className() const;
    virtual std::string description() const;

    // The shared control block that weak references observe; made on first use.
    WeakReferenceControl* weakReferenceControl();

private:
    void destroy();

    int m_referenceCount { 1 };
    Class* m_isa;
    WeakReferenceControl* m_weakControl { nullptr };
};

using id = NSObject*;

// A message to a missing object answers nothing; so does this test.
inline bool isKindOfClass(const NSObject* object, const Class* cls)
{
    return object && object->isKindOfClass(cls);
}

// Checked downcast for runtime objects: nothing unless the object is of that class.
template <typename T> T* runtimeCast(NSObject* object)
{
    return isKindOfClass(object, T::staticClass()) ? static_cast<T*>(object) : nullptr;
}
