// Any bytes given to the property-list reader: it answers a value or an
// error, and whatever it answers can be written in either encoding and read
// back to the same kind of value.
#include "platform/foundation/PropertyList.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto parsed = PropertyList::parse(bytes);
    if (!parsed)
        return 0;
    for (auto format : { PropertyList::Format::XML, PropertyList::Format::Binary }) {
        auto written = PropertyList::serialize(parsed.value(), format);
        // The writer refuses what no list may hold (a NUL inside a string, a
        // date beyond its range) with an error; that is not a fault.
        if (!written)
            continue;
        auto reread = PropertyList::parse(written.value());
        if (!reread || reread.value().isArray() != parsed.value().isArray()
            || reread.value().isDictionary() != parsed.value().isDictionary())
            std::abort();
    }
    return 0;
}
