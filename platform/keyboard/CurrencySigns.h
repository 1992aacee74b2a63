#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"

#include <array>

// The currency signs a locale's numbers keyplanes show: its own currency's
// sign and three others. A locale without a region has none.
struct PLATFORM_EXPORT CurrencySigns {
    NSString primary;
    std::array<NSString, 3> alternates;

    bool available() const { return !primary.isNil(); }

    static CurrencySigns forLocale(const NSString& localeIdentifier);
};
