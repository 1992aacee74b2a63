#pragma once

using CFIndex = long;

// A range of a string in UTF-16 units, as CoreFoundation counts.
struct CFRange {
    CFIndex location { 0 };
    CFIndex length { 0 };
    friend bool operator==(const CFRange&, const CFRange&) = default;
};

inline constexpr CFRange CFRangeMake(CFIndex location, CFIndex length)
{
    return { location, length };
}
