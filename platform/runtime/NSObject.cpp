#include "platform/runtime/NSObject.h"

#include "platform/runtime/Class.h"
#include "platform/runtime/WeakPtr.h"

NSObject::NSObject(Class* isa)
    : m_isa(isa)
{
}

NSObject::~NSObject()
{
    if (m_weakControl) {
        m_weakControl->objectDestroyed();
        m_weakControl->deref();
    }
}

Class* NSObject::staticClass()
{
    static Class* cls = objc_allocateClass("NSObject", nullptr);
    return cls;
}

void NSObject::destroy()
{
    delete this; // NOLINT: the last reference is gone
}

bool NSObject::isKindOfClass(const Class* cls) const
{
    for (const Class* current = m_isa; current; current = current->superclass()) {
        if (current == cls)
            return true;
    }
    return false;
}

const std::string& NSObject::className() const
{
    static const std::string none;
    return m_isa ? m_isa->name() : none;
}

std::string NSObject::description() const
{
    return "<" + className() + ">";
}

WeakReferenceControl* NSObject::weakReferenceControl()
{
    if (!m_weakControl)
        m_weakControl = new WeakReferenceControl(this); // NOLINT: shared with weak references, counted
    return m_weakControl;
}
