#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/NSObject.h"
#include "platform/runtime/RefPtr.h"

#include <algorithm>
#include <vector>

// The platform's set of objects: each object at most once. It keeps them in
// the order they were added, so that walking a set gives the same order on
// every run.
class PLATFORM_EXPORT NSSet final : public NSObject {
public:
    static Class* staticClass();
    static RefPtr<NSSet> setWithObject(NSObject* object);

    NSSet();

    std::size_t count() const { return m_objects.size(); }
    bool containsObject(const NSObject* object) const
    {
        return std::any_of(m_objects.begin(), m_objects.end(),
            [object](const RefPtr<NSObject>& member) { return member.get() == object; });
    }
    // The first object added; nothing when the set is empty.
    NSObject* anyObject() const { return m_objects.empty() ? nullptr : m_objects.front().get(); }
    // Nothing, and objects already in the set, are left out.
    void addObject(NSObject* object);

    std::vector<RefPtr<NSObject>>::const_iterator begin() const { return m_objects.begin(); }
    std::vector<RefPtr<NSObject>>::const_iterator end() const { return m_objects.end(); }

private:
    std::vector<RefPtr<NSObject>> m_objects;
};
