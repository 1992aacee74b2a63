#pragma once

#include "platform/PlatformExport.h"
#include "platform/keyboard/KeyboardSelectors.h"

// Whether the platform reuses rendered key images. Only its class operation
// "enabled" is ever used; the platform answers yes.
class PLATFORM_EXPORT UIKeyboardCache final : public NSObject {
public:
    static Class* staticClass();
};
