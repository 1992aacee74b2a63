#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"

// The one place the keyboard learns the current locale (currency signs, the
// default letter layout). "en_US" until someone sets another.
class PLATFORM_EXPORT KeyboardLocale {
public:
    static NSString currentIdentifier();
    static void setCurrentIdentifier(NSString identifier);
};
