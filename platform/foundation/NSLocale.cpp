#include "platform/foundation/NSLocale.h"

namespace {

NSString& currentIdentifier()
{
    static NSString identifier(NSLocale::defaultLocaleIdentifier);
    return identifier;
}

} // namespace

NSString NSLocale::currentLocaleIdentifier()
{
    return currentIdentifier();
}

void NSLocale::setCurrentLocaleIdentifier(NSString identifier)
{
    currentIdentifier() = identifier.isEmpty() ? NSString(defaultLocaleIdentifier) : std::move(identifier);
}

NSString NSLocale::currentLanguageCode()
{
    const std::string& identifier = currentIdentifier().utf8();
    return NSString(identifier.substr(0, identifier.find_first_of("_-@")));
}
