#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"

// A face at a size, found by its PostScript name in the platform's font table.
class PLATFORM_EXPORT UIFont final : public NSObject {
public:
    static Class* staticClass();

    // Nothing when the table has no face of that name, as on the platform.
    static RefPtr<UIFont> fontWithNameSize(const NSString& name, CGFloat size);
    static RefPtr<UIFont> systemFontOfSize(CGFloat size);
    static RefPtr<UIFont> boldSystemFontOfSize(CGFloat size);

    UIFont(NSString name, CGFloat size);

    const NSString& fontName() const { return m_name; }
    CGFloat pointSize() const { return m_size; }
    // The distance from one baseline to the next.
    CGFloat lineHeight() const;
    CGFloat ascender() const;
    CGFloat descender() const;

private:
    NSString m_name;
    CGFloat m_size;
};
