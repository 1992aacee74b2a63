#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/graphics/CTFont.h"
#include "platform/runtime/Message.h"

// A face at a size, found by its PostScript name in the platform's font table.
class PLATFORM_EXPORT UIFont final : public NSObject {
public:
    static Class* staticClass();

    // Nothing when the table has no face of that name, as on the platform.
    static RefPtr<UIFont> fontWithNameSize(const NSString& name, CGFloat size);
    static RefPtr<UIFont> systemFontOfSize(CGFloat size);
    static RefPtr<UIFont> boldSystemFontOfSize(CGFloat size);

    explicit UIFont(CTFontRef font);

    NSString fontName() const { return CTFontCopyPostScriptName(m_font); }
    CGFloat pointSize() const { return CTFontGetSize(m_font); }
    // The distance from one baseline to the next.
    CGFloat lineHeight() const;
    CGFloat ascender() const;
    CGFloat descender() const;
    const CTFontRef& ctFont() const { return m_font; }

private:
    CTFontRef m_font;
};
