#include "platform/graphics/FontTable.h"

#include "platform/graphics/CTFontPango.h"

#include <cmath>
#include <string_view>

namespace {

struct FontFace {
    std::string_view name;
    std::string_view postScriptName; // the font a name stands for
    const char* family;
    int weight;
};

// Nimbus Sans has Helvetica's advance widths, so text measures as it does on
// the device. The toolkit's system fonts are Helvetica's under another name.
constexpr FontFace fontFaces[] = {
    { "Helvetica", "Helvetica", "Nimbus Sans", 400 },
    { "Helvetica-Bold", "Helvetica-Bold", "Nimbus Sans", 700 },
    { "HelveticaNeue", "HelveticaNeue", "Nimbus Sans", 400 },
    { "HelveticaNeue-Bold", "HelveticaNeue-Bold", "Nimbus Sans", 700 },
    { "system", "Helvetica", "Nimbus Sans", 400 },
    { "system-bold", "Helvetica-Bold", "Nimbus Sans", 700 },
};
constexpr const FontFace& fallbackFace = fontFaces[0];
constexpr CGFloat defaultSize = 12;

const FontFace& faceNamed(std::string_view name)
{
    for (const FontFace& face : fontFaces) {
        if (face.name == name)
            return face;
    }
    return fallbackFace;
}

} // namespace

FontTable& FontTable::shared()
{
    static FontTable table;
    return table;
}

CTFontRef FontTable::font(const NSString& name, CGFloat size)
{
    if (!(size > 0) || !std::isfinite(size))
        size = defaultSize;
    const std::string& requested = name.isNil() ? std::string() : name.utf8();
    auto key = std::make_pair(requested, size);
    auto found = m_fonts.find(key);
    if (found != m_fonts.end())
        return found->second;
    // A name that stands for another font, or no known font, shares that one.
    const FontFace& face = faceNamed(requested);
    CTFontRef made = requested == face.postScriptName
        ? std::make_shared<const CTFont>(NSString(face.postScriptName), size, face.family, face.weight)
        : font(NSString(face.postScriptName), size);
    m_fonts.emplace(std::move(key), made);
    return made;
}

CTFontRef FontTable::defaultFont()
{
    return font(NSString(fallbackFace.postScriptName), defaultSize);
}
