#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/DictionaryTable.h"
#include "platform/foundation/ErrorOr.h"
#include "platform/foundation/Value.h"

#include <string>
#include <string_view>

// The platform's mutable dictionary from string keys to values, in no
// particular order.
class PLATFORM_EXPORT NSMutableDictionary final : public NSObject {
public:
    static Class* staticClass();
    static RefPtr<NSMutableDictionary> dictionary() { return makeRef<NSMutableDictionary>(); }

    // The dictionary stored in a property-list file, XML or binary; nothing
    // when the file is absent, unreadable, not a regular file, too large, not
    // a property list or not a dictionary at its root.
    static RefPtr<NSMutableDictionary> dictionaryWithContentsOfFile(const std::string& path);

    NSMutableDictionary();

    // Writes the dictionary as an XML property list. Atomically, the file
    // holds the old dictionary or the new one whatever happens, and a failed
    // write leaves the old file whole.
    ErrorOr<void> writeToFile(const std::string& path, bool atomically) const;

    std::size_t count() const { return m_entries.size(); }
    // Nothing when the key is absent. The value stays in the dictionary:
    // copy it before changing the dictionary.
    const Value& objectForKey(std::string_view key) const;
    // Setting nothing removes the entry, so a dictionary never holds a nil.
    void setObject(Value value, std::string_view key);
    void removeObjectForKey(std::string_view key);
    // The same for a key hashed beforehand.
    const Value& objectForKey(const DictionaryKey& key) const { return valueOrAbsent(m_entries.find(key)); }
    void setObject(Value value, const DictionaryKey& key) { setOrRemove(std::move(value), key); }
    void removeObjectForKey(const DictionaryKey& key) { m_entries.remove(key); }
    void removeAllObjects() { m_entries.clear(); }
    RefPtr<NSMutableDictionary> mutableCopy() const;

    // Iterates (key, value) pairs in no particular order.
    const DictionaryTable& entries() const { return m_entries; }

private:
    static const Value& valueOrAbsent(const Value* value);
    template <typename Key> void setOrRemove(Value&& value, const Key& key)
    {
        if (value.isNil())
            m_entries.remove(key);
        else
            m_entries.set(key, std::move(value));
    }

    DictionaryTable m_entries;
};
