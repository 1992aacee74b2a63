#include "platform/graphics/CTFontPango.h"

#include "platform/graphics/FontTable.h"
#include "platform/graphics/PangoTextContext.h"

#include <hb-ot.h>
#include <pango/pangocairo.h>
#include <string>

namespace {

std::uint64_t nextFontIdentifier()
{
    static std::uint64_t counter = 0;
    return ++counter;
}

} // namespace

CTFont::CTFont(NSString postScriptName, CGFloat size, const char* family, int weight)
    : m_postScriptName(std::move(postScriptName))
    , m_size(size)
    , m_description(pango_font_description_new())
    , m_identifier(nextFontIdentifier())
{
    pango_font_description_set_family(m_description, family);
    pango_font_description_set_weight(m_description, static_cast<PangoWeight>(weight));
    pango_font_description_set_style(m_description, PANGO_STYLE_NORMAL);
    pango_font_description_set_absolute_size(m_description, static_cast<double>(size) * PANGO_SCALE);
    loadFace();
}

CTFont::~CTFont()
{
    pango_font_description_free(m_description);
}

// Reads the metrics from the face's own tables, unscaled, so that they are
// exact fractions of the size whatever the rasteriser does.
void CTFont::loadFace()
{
    PangoFont* font = pango_font_map_load_font(sharedPangoFontMap(), sharedPangoContext(), m_description);
    if (!font)
        return;
    hb_face_t* face = hb_font_get_face(pango_font_get_hb_font(font));
    unsigned unitsPerEm = hb_face_get_upem(face);
    hb_font_t* unscaled = hb_font_create(face);
    hb_font_set_scale(unscaled, static_cast<int>(unitsPerEm), static_cast<int>(unitsPerEm));
    double toPoints = static_cast<double>(m_size) / unitsPerEm;
    auto metric = [&](hb_ot_metrics_tag_t tag) {
        hb_position_t value = 0;
        hb_ot_metrics_get_position(unscaled, tag, &value);
        return static_cast<CGFloat>(value * toPoints);
    };
    m_metrics.ascent = metric(HB_OT_METRICS_TAG_HORIZONTAL_ASCENDER);
    m_metrics.descent = -metric(HB_OT_METRICS_TAG_HORIZONTAL_DESCENDER);
    m_metrics.leading = metric(HB_OT_METRICS_TAG_HORIZONTAL_LINE_GAP);
    m_metrics.capHeight = metric(HB_OT_METRICS_TAG_CAP_HEIGHT);
    m_metrics.xHeight = metric(HB_OT_METRICS_TAG_X_HEIGHT);
    m_metrics.underlinePosition = metric(HB_OT_METRICS_TAG_UNDERLINE_OFFSET);
    m_metrics.underlineThickness = metric(HB_OT_METRICS_TAG_UNDERLINE_SIZE);
    hb_font_destroy(unscaled);

    char name[128];
    unsigned length = sizeof name;
    if (hb_ot_name_get_utf8(face, HB_OT_NAME_ID_POSTSCRIPT_NAME, HB_LANGUAGE_INVALID, &length, name))
        m_faceName = NSString(std::string(name, length));
    g_object_unref(font);
}

CTFontRef CTFontCreateWithName(const NSString& name, CGFloat size)
{
    return FontTable::shared().font(name, size);
}

CGFloat CTFontGetSize(const CTFontRef& font)
{
    return font ? font->size() : 0;
}

NSString CTFontCopyPostScriptName(const CTFontRef& font)
{
    return font ? font->postScriptName() : NSString();
}

CGFloat CTFontGetAscent(const CTFontRef& font)
{
    return font ? font->metrics().ascent : 0;
}

CGFloat CTFontGetDescent(const CTFontRef& font)
{
    return font ? font->metrics().descent : 0;
}

CGFloat CTFontGetLeading(const CTFontRef& font)
{
    return font ? font->metrics().leading : 0;
}

CGFloat CTFontGetCapHeight(const CTFontRef& font)
{
    return font ? font->metrics().capHeight : 0;
}

CGFloat CTFontGetXHeight(const CTFontRef& font)
{
    return font ? font->metrics().xHeight : 0;
}

CGFloat CTFontGetUnderlinePosition(const CTFontRef& font)
{
    return font ? font->metrics().underlinePosition : 0;
}

CGFloat CTFontGetUnderlineThickness(const CTFontRef& font)
{
    return font ? font->metrics().underlineThickness : 0;
}

CGFloat CTFontGetLineHeight(const CTFontRef& font)
{
    return font ? font->lineHeight() : 0;
}

NSString CTFontCopyFaceName(const CTFontRef& font)
{
    return font ? font->faceName() : NSString();
}
