#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/Value.h"

#include <map>
#include <string>

// The platform's mutable dictionary from string keys to values, in key order.
class PLATFORM_EXPORT NSMutableDictionary final : public NSObject {
public:
    static Class* staticClass();
    static RefPtr<NSMutableDictionary> dictionary() { return makeRef<NSMutableDictionary>(); }

    NSMutableDictionary();

    std::size_t count() const { return m_entries.size(); }
    // Nothing when the key is absent.
    Value objectForKey(std::string_view key) const;
    void setObject(Value value, std::string_view key);
    void removeObjectForKey(std::string_view key);
    void removeAllObjects() { m_entries.clear(); }
    RefPtr<NSMutableDictionary> mutableCopy() const;

    using Entries = std::map<std::string, Value, std::less<>>;
    const Entries& entries() const { return m_entries; }

private:
    Entries m_entries;
};
