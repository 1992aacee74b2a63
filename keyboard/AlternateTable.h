#pragma once

#include "platform/foundation/NSString.h"

#include <string>
#include <string_view>
#include <utility>
#include <vector>

// One alternate table: a small dictionary from a key's string to its
// alternate, exact matches only. The entries sit sorted in one block, so the
// seven tables together take a few kilobytes and a lookup is a binary search.
class AlternateTable {
public:
    using Entry = std::pair<std::string, NSString>;

    AlternateTable() = default;
    // The keys are distinct.
    explicit AlternateTable(std::vector<Entry> entries);

    // The alternate stored for the key; nil when the table has no entry.
    NSString valueForKey(std::string_view key) const;
    // Replaces the value of an entry, or adds it.
    void setValueForKey(std::string_view key, NSString value);

private:
    std::vector<Entry> m_entries;
};
