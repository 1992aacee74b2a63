#include "platform/graphics/PangoTextContext.h"

#include <pango/pangocairo.h>

namespace {

struct TextContext {
    PangoFontMap* fontMap;
    PangoContext* context;
};

TextContext& textContext()
{
    static TextContext shared = [] {
        PangoFontMap* fontMap = pango_cairo_font_map_new();
        PangoContext* context = pango_font_map_create_context(fontMap);
        pango_cairo_context_set_resolution(context, 72);
        pango_context_set_round_glyph_positions(context, FALSE);
        cairo_font_options_t* options = cairo_font_options_create();
        cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_NONE);
        cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
        cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
        pango_cairo_context_set_font_options(context, options);
        cairo_font_options_destroy(options);
        return TextContext { fontMap, context };
    }();
    return shared;
}

} // namespace

PangoContext* sharedPangoContext()
{
    return textContext().context;
}

PangoFontMap* sharedPangoFontMap()
{
    return textContext().fontMap;
}
