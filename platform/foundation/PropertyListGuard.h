#pragma once

#include "platform/foundation/ErrorOr.h"

#include <cstddef>
#include <string_view>

// Looks over serialised property-list bytes before the parser sees them and
// refuses what would make it recurse too deep or build an enormous tree:
// nesting beyond a depth, more values than a cap, in XML lists numbers,
// dates and data that would not read exactly, and, in binary lists,
// references that loop or point outside the object table.
class PropertyListGuard {
public:
    PropertyListGuard(std::size_t maximumDepth, std::size_t maximumValues)
        : m_maximumDepth(maximumDepth)
        , m_maximumValues(maximumValues)
    {
    }

    ErrorOr<void> check(std::string_view bytes) const;

private:
    ErrorOr<void> checkXML(std::string_view bytes) const;
    ErrorOr<void> checkBinary(std::string_view bytes) const;

    std::size_t m_maximumDepth;
    std::size_t m_maximumValues;
};
