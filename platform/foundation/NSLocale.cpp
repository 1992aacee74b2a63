#include "platform/foundation/NSLocale.h"

#include "platform/foundation/NSNotificationCenter.h"

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
    NSString changed = identifier.isEmpty() ? NSString(defaultLocaleIdentifier) : std::move(identifier);
    if (changed.isEqualToString(currentIdentifier()))
        return;
    currentIdentifier() = std::move(changed);
    NSNotificationCenter::defaultCenter()->postNotificationName(
        NSCurrentLocaleDidChangeNotification, nullptr);
}

NSString NSLocale::currentLanguageCode()
{
    const std::string& identifier = currentIdentifier().utf8();
    return NSString(identifier.substr(0, identifier.find_first_of("_-@")));
}
