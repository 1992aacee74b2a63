#include "platform/uikit/UIFont.h"

namespace {
// The platform's system faces.
constexpr const char* systemFontName = "Helvetica";
constexpr const char* boldSystemFontName = "Helvetica-Bold";
} // namespace

Class* UIFont::staticClass()
{
    static Class* cls = objc_allocateClass("UIFont", NSObject::staticClass());
    return cls;
}

UIFont::UIFont(CTFontRef font)
    : NSObject(staticClass())
    , m_font(std::move(font))
{
}

// The font table answers every name with some face; a name it does not know
// comes back under another name, and that is a font the platform lacks.
RefPtr<UIFont> UIFont::fontWithNameSize(const NSString& name, CGFloat size)
{
    if (name.isNil())
        return nullptr;
    CTFontRef font = CTFontCreateWithName(name, size);
    if (!CTFontCopyPostScriptName(font).isEqualToString(name))
        return nullptr;
    return makeRef<UIFont>(std::move(font));
}

RefPtr<UIFont> UIFont::systemFontOfSize(CGFloat size)
{
    return makeRef<UIFont>(CTFontCreateWithName(systemFontName, size));
}

RefPtr<UIFont> UIFont::boldSystemFontOfSize(CGFloat size)
{
    return makeRef<UIFont>(CTFontCreateWithName(boldSystemFontName, size));
}

CGFloat UIFont::lineHeight() const
{
    return CTFontGetLineHeight(m_font);
}

CGFloat UIFont::ascender() const
{
    return CTFontGetAscent(m_font);
}

CGFloat UIFont::descender() const
{
    return -CTFontGetDescent(m_font);
}
