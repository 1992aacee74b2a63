#include "platform/foundation/DictionaryTable.h"

#include <algorithm>
#include <bit>
#include <functional>
#include <limits>
#include <stdexcept>

void DictionaryTable::setHashed(std::string_view key, std::uint64_t hash, Value&& value)
{
    std::size_t position = positionOf(key, hash);
    if (position != absent)
        m_entries[position].value = std::move(value);
    else
        append(key, hash, std::move(value));
}

void DictionaryTable::removeHashed(std::string_view key, std::uint64_t hash)
{
    std::size_t position = positionOf(key, hash);
    if (position == absent)
        return;
    std::size_t last = m_entries.size() - 1;
    if (!m_index.empty()) {
        unindexSlot(indexSlotHolding(position));
        if (position != last)
            m_index[indexSlotHolding(last)] = static_cast<std::uint32_t>(position + 1);
    }
    m_deadKeyBytes += m_entries[position].keyLength;
    if (position != last)
        m_entries[position] = std::move(m_entries[last]);
    m_entries.pop_back();
    dropDeadKeyBytes();
}

void DictionaryTable::clear()
{
    m_entries.clear();
    m_keyBytes.clear();
    m_deadKeyBytes = 0;
    m_index.clear();
}

std::size_t DictionaryTable::positionOf(std::string_view key, std::uint64_t hash) const
{
    auto matches
        = [&](const Entry& entry) { return entry.hash == hash && key_bytes::equal(keyOf(entry), key); };
    if (m_index.empty()) {
        for (std::size_t position = 0; position < m_entries.size(); ++position) {
            if (matches(m_entries[position]))
                return position;
        }
        return absent;
    }
    std::size_t mask = m_index.size() - 1;
    for (std::size_t slot = hash & mask;; slot = (slot + 1) & mask) {
        std::uint32_t stored = m_index[slot];
        if (!stored)
            return absent;
        if (matches(m_entries[stored - 1]))
            return stored - 1;
    }
}

std::size_t DictionaryTable::indexSlotHolding(std::size_t position) const
{
    std::size_t mask = m_index.size() - 1;
    for (std::size_t slot = m_entries[position].hash & mask;; slot = (slot + 1) & mask) {
        if (m_index[slot] == position + 1)
            return slot;
    }
}

void DictionaryTable::append(std::string_view key, std::uint64_t hash, Value&& value)
{
    // A key viewed in this table's own buffer is copied before the buffer may move.
    std::less<const char*> before;
    if (!before(key.data(), m_keyBytes.data()) && before(key.data(), m_keyBytes.data() + m_keyBytes.size())) {
        std::string copy(key);
        append(copy, hash, std::move(value));
        return;
    }
    reserveForOneMore(key.size());
    auto offset = static_cast<std::uint32_t>(m_keyBytes.size());
    m_keyBytes.append(key);
    m_entries.emplace_back(hash, offset, static_cast<std::uint32_t>(key.size()), std::move(value));

    std::size_t count = m_entries.size();
    if (count <= largestScannedTable && m_index.empty())
        return;
    // At most half the slots are in use, so a probe seldom goes past two.
    if (m_index.size() < 2 * count)
        rebuildIndex(std::bit_ceil(4 * count));
    else
        indexPosition(count - 1);
}

// Offsets and lengths are 32-bit; growth starts at a size that holds a
// keyboard key's properties, then doubles.
void DictionaryTable::reserveForOneMore(std::size_t keyLength)
{
    constexpr std::size_t limit = std::numeric_limits<std::uint32_t>::max() - 1;
    if (keyLength > limit - m_keyBytes.size() || m_entries.size() >= limit)
        throw std::length_error("dictionary too large");
    if (m_entries.size() == m_entries.capacity())
        m_entries.reserve(std::max(smallestEntryCapacity, 2 * m_entries.capacity()));
    std::size_t keyBytesNeeded = m_keyBytes.size() + keyLength;
    if (keyBytesNeeded > m_keyBytes.capacity())
        m_keyBytes.reserve(std::max({ smallestKeyCapacity, 2 * m_keyBytes.capacity(), keyBytesNeeded }));
}

void DictionaryTable::indexPosition(std::size_t position)
{
    std::size_t mask = m_index.size() - 1;
    std::size_t slot = m_entries[position].hash & mask;
    while (m_index[slot])
        slot = (slot + 1) & mask;
    m_index[slot] = static_cast<std::uint32_t>(position + 1);
}

// Frees the slot and moves later entries of the same probe run back into
// it, so that no lookup ever stops early at a hole.
void DictionaryTable::unindexSlot(std::size_t slot)
{
    std::size_t mask = m_index.size() - 1;
    std::size_t hole = slot;
    for (std::size_t next = (hole + 1) & mask; m_index[next]; next = (next + 1) & mask) {
        std::size_t home = m_entries[m_index[next] - 1].hash & mask;
        if (((next - home) & mask) >= ((next - hole) & mask)) {
            m_index[hole] = m_index[next];
            hole = next;
        }
    }
    m_index[hole] = 0;
}

void DictionaryTable::rebuildIndex(std::size_t slotCount)
{
    m_index.assign(slotCount, 0);
    for (std::size_t position = 0; position < m_entries.size(); ++position)
        indexPosition(position);
}

// Removed keys leave their bytes behind; once they are most of the buffer,
// the live keys are packed again.
void DictionaryTable::dropDeadKeyBytes()
{
    if (m_deadKeyBytes < 256 || m_deadKeyBytes * 2 < m_keyBytes.size())
        return;
    std::string packed;
    packed.reserve(m_keyBytes.size() - m_deadKeyBytes);
    for (Entry& entry : m_entries) {
        auto offset = static_cast<std::uint32_t>(packed.size());
        packed.append(keyOf(entry));
        entry.keyOffset = offset;
    }
    m_keyBytes = std::move(packed);
    m_deadKeyBytes = 0;
}
