#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/DictionaryKey.h"
#include "platform/foundation/KeyBytes.h"
#include "platform/foundation/Value.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The hash table behind NSMutableDictionary, built for the keyboard's
// property dictionaries: a dozen entries with keys of 10 to 35 bytes, read on
// every keyplane switch and touch and added to on a key's first processing.
// Entries sit in one vector and their key bytes in one buffer, so adding an
// entry seldom allocates; each entry keeps its key's hash, so a key is hashed
// once per operation and compared in full only when the hashes agree. Small
// tables are scanned; from five entries on an open-addressed index of entry
// positions finds a key in one or two probes.
class PLATFORM_EXPORT DictionaryTable {
public:
    struct EntryView {
        std::string_view key;
        const Value& value;
    };

    class Iterator {
    public:
        Iterator(const DictionaryTable& table, std::size_t position)
            : m_table(&table)
            , m_position(position)
        {
        }
        EntryView operator*() const { return m_table->entryAt(m_position); }
        Iterator& operator++()
        {
            ++m_position;
            return *this;
        }
        bool operator==(const Iterator& other) const { return m_position == other.m_position; }

    private:
        const DictionaryTable* m_table;
        std::size_t m_position;
    };

    std::size_t size() const { return m_entries.size(); }
    // Nothing when the key is absent; valid until the table next changes.
    const Value* find(std::string_view key) const { return findHashed(key, key_bytes::hash(key)); }
    const Value* find(const DictionaryKey& key) const { return findHashed(key.text(), key.hash()); }
    void set(std::string_view key, Value&& value) { setHashed(key, key_bytes::hash(key), std::move(value)); }
    void set(const DictionaryKey& key, Value&& value) { setHashed(key.text(), key.hash(), std::move(value)); }
    void remove(std::string_view key) { removeHashed(key, key_bytes::hash(key)); }
    void remove(const DictionaryKey& key) { removeHashed(key.text(), key.hash()); }
    void clear();

    // In no particular order.
    Iterator begin() const { return Iterator(*this, 0); }
    Iterator end() const { return Iterator(*this, m_entries.size()); }

private:
    struct Entry {
        Entry(std::uint64_t keyHash, std::uint32_t offset, std::uint32_t length, Value&& stored)
            : hash(keyHash)
            , keyOffset(offset)
            , keyLength(length)
            , value(std::move(stored))
        {
        }

        std::uint64_t hash;
        std::uint32_t keyOffset;
        std::uint32_t keyLength;
        Value value;
    };
    static constexpr std::size_t absent = static_cast<std::size_t>(-1);
    // Up to this many entries a scan of the stored hashes beats the index.
    static constexpr std::size_t largestScannedTable = 4;
    // A table that gets any entry soon gets a dozen: a keyboard key's
    // properties grow from four to ten on its first processing.
    static constexpr std::size_t smallestEntryCapacity = 16;
    static constexpr std::size_t smallestKeyCapacity = 256;

    EntryView entryAt(std::size_t position) const
    {
        return { keyOf(m_entries[position]), m_entries[position].value };
    }
    std::string_view keyOf(const Entry& entry) const
    {
        return { m_keyBytes.data() + entry.keyOffset, entry.keyLength };
    }
    const Value* findHashed(std::string_view key, std::uint64_t hash) const
    {
        std::size_t position = positionOf(key, hash);
        return position == absent ? nullptr : &m_entries[position].value;
    }
    void setHashed(std::string_view key, std::uint64_t hash, Value&& value);
    void removeHashed(std::string_view key, std::uint64_t hash);
    std::size_t positionOf(std::string_view key, std::uint64_t hash) const;
    std::size_t indexSlotHolding(std::size_t position) const;
    void append(std::string_view key, std::uint64_t hash, Value&& value);
    void reserveForOneMore(std::size_t keyLength);
    void indexPosition(std::size_t position);
    void unindexSlot(std::size_t slot);
    void rebuildIndex(std::size_t slotCount);
    void dropDeadKeyBytes();

    std::vector<Entry> m_entries;
    std::string m_keyBytes;
    std::size_t m_deadKeyBytes { 0 };
    // Empty while the table is scanned; otherwise a power-of-two number of
    // slots, each 0 (free) or an entry's position plus one.
    std::vector<std::uint32_t> m_index;
};
