#include "keyboard/AlternateTable.h"

#include <algorithm>

namespace {

// Most keys are one character, so the first byte settles almost every step
// of the search; the order is the strings' own (bytes compared unsigned).
bool keyLess(const AlternateTable::Entry& entry, std::string_view key)
{
    if (!entry.first.empty() && !key.empty() && entry.first[0] != key[0])
        return static_cast<unsigned char>(entry.first[0]) < static_cast<unsigned char>(key[0]);
    return entry.first < key;
}

} // namespace

AlternateTable::AlternateTable(std::vector<Entry> entries)
    : m_entries(std::move(entries))
{
    std::sort(m_entries.begin(), m_entries.end(),
        [](const Entry& left, const Entry& right) { return left.first < right.first; });
    m_entries.shrink_to_fit();
}

NSString AlternateTable::valueForKey(std::string_view key) const
{
    auto found = std::lower_bound(m_entries.begin(), m_entries.end(), key, keyLess);
    return found != m_entries.end() && found->first == key ? found->second : NSString();
}

void AlternateTable::setValueForKey(std::string_view key, NSString value)
{
    auto position = std::lower_bound(m_entries.begin(), m_entries.end(), key, keyLess);
    if (position != m_entries.end() && position->first == key)
        position->second = std::move(value);
    else
        m_entries.emplace(position, std::string(key), std::move(value));
}
