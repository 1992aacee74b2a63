#include "platform/keyboard/LayoutPlistReader.h"

#include "platform/foundation/PropertyList.h"
#include "platform/runtime/NSException.h"

Value readLayoutPropertyList(std::string_view fileName, std::string_view xml)
{
    ErrorOr<Value> parsed = PropertyList::parse(xml);
    if (!parsed)
        throw NSException(NSInvalidArgumentException,
            "keyboard layout data " + std::string(fileName) + " does not parse: " + parsed.error().message);
    if (!parsed.value().isDictionary())
        throw NSException(NSInvalidArgumentException,
            "keyboard layout data " + std::string(fileName) + " is not a property-list dictionary");
    return parsed.releaseValue();
}
