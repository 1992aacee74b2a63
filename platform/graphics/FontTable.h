#pragma once

#include "platform/graphics/CTFont.h"

#include <map>
#include <string>
#include <utility>

// The fonts the system asks for by PostScript name and the faces that stand
// in for them here, with every font made so far kept for reuse.
class FontTable {
public:
    static FontTable& shared();

    // The font for the name at the size; an unknown name gets Helvetica.
    CTFontRef font(const NSString& name, CGFloat size);
    // What text without a font is set in: Helvetica 12.
    CTFontRef defaultFont();

private:
    std::map<std::pair<std::string, CGFloat>, CTFontRef> m_fonts;
};
