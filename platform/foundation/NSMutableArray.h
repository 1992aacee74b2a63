#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/Value.h"

#include <vector>

// The platform's mutable array of values.
class PLATFORM_EXPORT NSMutableArray final : public NSObject {
public:
    static Class* staticClass();
    static RefPtr<NSMutableArray> array() { return makeRef<NSMutableArray>(); }
    static RefPtr<NSMutableArray> arrayWithValues(std::vector<Value> values);

    NSMutableArray();

    std::size_t count() const { return m_values.size(); }
    // Nothing beyond the end, as a checked access.
    Value objectAtIndex(std::size_t index) const
    {
        return index < m_values.size() ? m_values[index] : Value();
    }
    void addObject(Value value) { m_values.push_back(std::move(value)); }
    void removeAllObjects() { m_values.clear(); }
    std::size_t indexOfObject(const Value& value) const;

    const std::vector<Value>& values() const { return m_values; }
    std::vector<Value>::const_iterator begin() const { return m_values.begin(); }
    std::vector<Value>::const_iterator end() const { return m_values.end(); }

private:
    std::vector<Value> m_values;
};
