#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"
#include "platform/graphics/CGGeometry.h"

#include <memory>

// A font at a size, shared and immutable. Fonts come from one table that maps
// the PostScript names the system uses to the faces installed here:
//
//   "Helvetica", "HelveticaNeue"             → Nimbus Sans
//   "Helvetica-Bold", "HelveticaNeue-Bold"   → Nimbus Sans Bold
//   "system", "system-bold"                  → Helvetica, Helvetica-Bold
//
// ("system" and "system-bold" are the toolkit's system fonts, and answer to
// Helvetica's names.) Any other name gets Helvetica, never nothing.
class CTFont;
using CTFontRef = std::shared_ptr<const CTFont>;

// A size that is not a positive finite number means 12 points, CoreText's
// default. The same name and size give the same font object.
PLATFORM_EXPORT CTFontRef CTFontCreateWithName(const NSString& name, CGFloat size);

// The metrics follow CoreText's signs: ascent and descent are both positive
// distances from the baseline, the underline position is negative below it.
// A missing font answers 0 and nil.
PLATFORM_EXPORT CGFloat CTFontGetSize(const CTFontRef& font);
PLATFORM_EXPORT NSString CTFontCopyPostScriptName(const CTFontRef& font);
PLATFORM_EXPORT CGFloat CTFontGetAscent(const CTFontRef& font);
PLATFORM_EXPORT CGFloat CTFontGetDescent(const CTFontRef& font);
PLATFORM_EXPORT CGFloat CTFontGetLeading(const CTFontRef& font);
PLATFORM_EXPORT CGFloat CTFontGetCapHeight(const CTFontRef& font);
PLATFORM_EXPORT CGFloat CTFontGetXHeight(const CTFontRef& font);
PLATFORM_EXPORT CGFloat CTFontGetUnderlinePosition(const CTFontRef& font);
PLATFORM_EXPORT CGFloat CTFontGetUnderlineThickness(const CTFontRef& font);
// The toolkit's line height: ascent plus descent (UIFont's ascender − descender).
PLATFORM_EXPORT CGFloat CTFontGetLineHeight(const CTFontRef& font);
// The PostScript name of the face actually drawn, such as "NimbusSans-Bold".
PLATFORM_EXPORT NSString CTFontCopyFaceName(const CTFontRef& font);
