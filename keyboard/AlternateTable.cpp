#include "keyboard/AlternateTable.h"

#include <algorithm>

namespace {

bool keyLess(const AlternateTable::Entry& entry, std::string_view key)
{
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
