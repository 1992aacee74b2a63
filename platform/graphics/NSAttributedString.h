#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CTStringAttributes.h"

#include <cstddef>
#include <vector>

// A string with attributes over ranges of it, in UTF-16 units as the platform
// counts. Every unit has one attribute set, possibly empty: a stretch nobody
// gave attributes (such as a line feed between two labels) simply has none.
// Copies are independent values; setAttributes: is the mutable string's.
// Ill-formed UTF-8 in the string is kept as U+FFFD, one unit per fault.
class PLATFORM_EXPORT NSAttributedString {
public:
    struct Run {
        NSRange range;
        CTStringAttributes attributes;
    };

    NSAttributedString() = default;
    // initWithString: — no attributes anywhere. A nil string is taken as "".
    explicit NSAttributedString(NSString string);
    // initWithString:attributes: — the attributes over the whole string.
    NSAttributedString(NSString string, CTStringAttributes attributes);

    const NSString& string() const { return m_string; }
    std::size_t length() const { return m_length; }

    // Replaces the attributes over the range. A range that does not lie
    // within the string changes nothing and answers false.
    bool setAttributes(const CTStringAttributes& attributes, NSRange range);

    // The attributes of the unit at index and the range of the run that
    // holds it; empty attributes and {NSNotFound, 0} outside the string.
    const CTStringAttributes& attributesAtIndex(std::size_t index, NSRange* effectiveRange = nullptr) const;

    // Consecutive runs covering the whole string, in order.
    const std::vector<Run>& runs() const { return m_runs; }

private:
    NSString m_string { "" };
    std::size_t m_length { 0 };
    std::vector<Run> m_runs;
};

// CFAttributedStringCreate: the string with the attributes over all of it.
PLATFORM_EXPORT NSAttributedString CFAttributedStringCreate(NSString string, CTStringAttributes attributes);
