#pragma once

#include "platform/runtime/Message.h"
#include "platform/runtime/NSException.h"

#include <string>

// Creating an object from its class alone, as code that found the class by
// name does: alloc (a class operation) and then an init message.
namespace sel {
inline constinit Selector<RefPtr<NSObject>()> alloc("alloc");
inline constinit Selector<NSObject*()> init("init");
} // namespace sel

// Registers alloc on the class's metaclass, making a T. Subclasses inherit
// the class operation, but a T cannot stand in for a subclass's C++ type,
// so each class that is created by name registers its own.
template <typename T> void addAllocator(Class* cls)
{
    addMethod(cls->metaclass(), sel::alloc, [](NSObject* self) -> RefPtr<NSObject> {
        if (self != T::staticClass()) {
            throw NSException(NSInvalidArgumentException,
                "+[" + self->className() + " alloc]: the class registers no allocator of its own");
        }
        return makeRef<T>();
    });
}
