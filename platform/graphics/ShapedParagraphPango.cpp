#include "platform/graphics/CTFontPango.h"
#include "platform/graphics/PangoTextContext.h"
#include "platform/graphics/ShapedParagraph.h"
#include "platform/graphics/ShapingCache.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <pango/pangocairo.h>

namespace {

constexpr std::size_t cachedParagraphs = 1024;

template <typename T> void appendBytes(std::string& key, const T& value)
{
    char bytes[sizeof(T)];
    std::memcpy(bytes, &value, sizeof(T));
    key.append(bytes, sizeof(T));
}

std::string cacheKey(const ShapingRequest& request)
{
    std::string key;
    key.reserve(request.text.size() + 24 * request.runs.size() + 40);
    appendBytes(key, request.text.size());
    key.append(request.text);
    for (const ShapingRun& run : request.runs) {
        appendBytes(key, run.start);
        appendBytes(key, run.end);
        appendBytes(key, run.font->identifier());
    }
    appendBytes(key, request.defaultFont ? request.defaultFont->identifier() : 0);
    appendBytes(key, request.width);
    appendBytes(key, static_cast<int>(request.wrap));
    appendBytes(key, static_cast<int>(request.ellipsis));
    return key;
}

PangoEllipsizeMode pangoEllipsis(TextEllipsis ellipsis)
{
    switch (ellipsis) {
    case TextEllipsis::None:
        return PANGO_ELLIPSIZE_NONE;
    case TextEllipsis::Start:
        return PANGO_ELLIPSIZE_START;
    case TextEllipsis::Middle:
        return PANGO_ELLIPSIZE_MIDDLE;
    case TextEllipsis::End:
        return PANGO_ELLIPSIZE_END;
    }
    return PANGO_ELLIPSIZE_NONE;
}

PangoLayout* makeLayout(const ShapingRequest& request)
{
    PangoLayout* layout = pango_layout_new(sharedPangoContext());
    pango_layout_set_text(layout, request.text.data(), static_cast<int>(request.text.size()));
    if (request.defaultFont)
        pango_layout_set_font_description(layout, request.defaultFont->description());
    PangoAttrList* attributes = pango_attr_list_new();
    for (const ShapingRun& run : request.runs) {
        PangoAttribute* attribute = pango_attr_font_desc_new(run.font->description());
        attribute->start_index = static_cast<guint>(run.start);
        attribute->end_index = static_cast<guint>(run.end);
        pango_attr_list_insert(attributes, attribute);
    }
    pango_layout_set_attributes(layout, attributes);
    pango_attr_list_unref(attributes);

    bool limited
        = request.width > 0 && (request.wrap != TextWrap::None || request.ellipsis != TextEllipsis::None);
    if (limited) {
        // Wrapping rounds the width up, so that text measured at exactly this
        // width stays on one line; truncation rounds it down, so that the
        // shortened line never passes it.
        double width = request.width * PANGO_SCALE;
        pango_layout_set_width(layout,
            request.ellipsis == TextEllipsis::None ? static_cast<int>(std::ceil(width)) + 1
                                                   : static_cast<int>(std::floor(width)));
        pango_layout_set_wrap(
            layout, request.wrap == TextWrap::Character ? PANGO_WRAP_CHAR : PANGO_WRAP_WORD);
        pango_layout_set_ellipsize(layout, pangoEllipsis(request.ellipsis));
    }
    return layout;
}

double fromPango(int value)
{
    return static_cast<double>(value) / PANGO_SCALE;
}

bool isDrawnGlyph(PangoGlyph glyph)
{
    return glyph != PANGO_GLYPH_EMPTY && !(glyph & PANGO_GLYPH_UNKNOWN_FLAG);
}

} // namespace

ShapedParagraph::~ShapedParagraph()
{
    for (cairo_scaled_font_t* font : m_fonts)
        cairo_scaled_font_destroy(font);
}

std::uint32_t ShapedParagraph::slotFor(cairo_scaled_font_t* font)
{
    auto found = std::find(m_fonts.begin(), m_fonts.end(), font);
    if (found != m_fonts.end())
        return static_cast<std::uint32_t>(found - m_fonts.begin());
    m_fonts.push_back(cairo_scaled_font_reference(font));
    return static_cast<std::uint32_t>(m_fonts.size() - 1);
}

std::shared_ptr<const ShapedParagraph> ShapedParagraph::shape(const ShapingRequest& request)
{
    static ShapingCache cache(cachedParagraphs);
    std::string key = cacheKey(request);
    if (auto cached = cache.find(key))
        return cached;
    auto shaped = shapeUncached(request);
    cache.insert(key, shaped);
    return shaped;
}

std::shared_ptr<const ShapedParagraph> ShapedParagraph::shapeUncached(const ShapingRequest& request)
{
    auto paragraph = std::make_shared<ShapedParagraph>();
    PangoLayout* layout = makeLayout(request);
    for (GSList* lineNode = pango_layout_get_lines_readonly(layout); lineNode; lineNode = lineNode->next) {
        auto* line = static_cast<PangoLayoutLine*>(lineNode->data);
        PangoRectangle logical;
        pango_layout_line_get_extents(line, nullptr, &logical);
        ShapedLine shapedLine { static_cast<std::size_t>(line->start_index),
            static_cast<std::size_t>(line->start_index + line->length), fromPango(logical.width), {} };
        double x = 0;
        for (GSList* runNode = line->runs; runNode; runNode = runNode->next) {
            auto* run = static_cast<PangoGlyphItem*>(runNode->data);
            cairo_scaled_font_t* scaledFont
                = pango_cairo_font_get_scaled_font(PANGO_CAIRO_FONT(run->item->analysis.font));
            std::uint32_t slot = paragraph->slotFor(scaledFont);
            PangoGlyphString* glyphs = run->glyphs;
            for (int index = 0; index < glyphs->num_glyphs; ++index) {
                const PangoGlyphInfo& info = glyphs->glyphs[index];
                double advance = fromPango(info.geometry.width);
                if (isDrawnGlyph(info.glyph)) {
                    shapedLine.glyphs.push_back({ info.glyph,
                        static_cast<std::uint32_t>(run->item->offset + glyphs->log_clusters[index]), slot,
                        x + fromPango(info.geometry.x_offset), fromPango(info.geometry.y_offset), advance });
                }
                x += advance;
            }
        }
        paragraph->m_lines.push_back(std::move(shapedLine));
    }
    g_object_unref(layout);
    return paragraph;
}
