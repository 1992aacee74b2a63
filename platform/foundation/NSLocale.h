#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"

// Posted on the default notification centre, without an object, when the
// current locale changes.
inline constexpr const char* NSCurrentLocaleDidChangeNotification = "NSCurrentLocaleDidChangeNotification";

// The user's current locale, as an identifier such as "en_US" or "de_DE".
// The simulator and tests set it; it starts as "en_US".
class PLATFORM_EXPORT NSLocale {
public:
    NSLocale() = delete;

    static NSString currentLocaleIdentifier();
    // A nil or empty identifier puts back the default. A change of the
    // identifier is announced with NSCurrentLocaleDidChangeNotification.
    static void setCurrentLocaleIdentifier(NSString identifier);
    // The language part of the current identifier: "de" for "de_DE".
    static NSString currentLanguageCode();

    static constexpr const char* defaultLocaleIdentifier = "en_US";
};
