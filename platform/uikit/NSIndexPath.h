#pragma once

#include <compare>

// A row's place in a table: its section and its row within the section.
struct NSIndexPath {
    int section { 0 };
    int row { 0 };

    static constexpr NSIndexPath indexPathForRowInSection(int row, int section) { return { section, row }; }
    friend constexpr auto operator<=>(const NSIndexPath&, const NSIndexPath&) = default;
};
