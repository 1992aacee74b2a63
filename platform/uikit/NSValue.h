#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"

// A geometry value wrapped as an object, to travel in dictionaries such as a
// notification's user information.
class PLATFORM_EXPORT NSValue final : public NSObject {
public:
    static Class* staticClass();
    static RefPtr<NSValue> valueWithCGRect(CGRect rect) { return makeRef<NSValue>(rect); }

    explicit NSValue(CGRect rect);

    CGRect CGRectValue() const { return m_rect; }

private:
    CGRect m_rect;
};
