#include "platform/keyboard/KeyboardLocale.h"

namespace {

NSString& storedIdentifier()
{
    static NSString identifier("en_US");
    return identifier;
}

} // namespace

NSString KeyboardLocale::currentIdentifier()
{
    return storedIdentifier();
}

void KeyboardLocale::setCurrentIdentifier(NSString identifier)
{
    storedIdentifier() = std::move(identifier);
}
