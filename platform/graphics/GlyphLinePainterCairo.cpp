#include "platform/graphics/CGContextCairo.h"
#include "platform/graphics/CTFontPango.h"
#include "platform/graphics/GlyphLinePainter.h"
#include "platform/graphics/ShapedParagraph.h"

#include <algorithm>
#include <cairo.h>

std::vector<GlyphSegment> segmentGlyphs(
    const ShapedLine& line, const std::function<GlyphStyle(std::size_t byteOffset)>& styleAt)
{
    std::vector<GlyphSegment> segments;
    std::size_t currentStretch = 0;
    for (std::uint32_t index = 0; index < line.glyphs.size(); ++index) {
        const ShapedGlyph& glyph = line.glyphs[index];
        GlyphStyle style = styleAt(glyph.byteOffset);
        bool continues = !segments.empty() && style.stretch == currentStretch
            && glyph.fontSlot == segments.back().fontSlot;
        if (continues) {
            segments.back().end = index + 1;
            continue;
        }
        currentStretch = style.stretch;
        const CTFontMetrics& metrics = style.font->metrics();
        segments.push_back({ index, index + 1, glyph.fontSlot, style.color, style.underlined,
            metrics.underlinePosition, metrics.underlineThickness });
    }
    return segments;
}

namespace {

void paintSegment(cairo_t* cairo, const ShapedParagraph& paragraph, const ShapedLine& line,
    const GlyphSegment& segment, const CGColor* shadow, std::vector<cairo_glyph_t>& buffer)
{
    setCairoSourceColor(cairo, shadow ? shadowPaintColor(*shadow, segment.color) : segment.color);
    cairo_set_scaled_font(cairo, paragraph.font(segment.fontSlot));
    buffer.clear();
    for (std::uint32_t index = segment.begin; index < segment.end; ++index) {
        const ShapedGlyph& glyph = line.glyphs[index];
        buffer.push_back({ glyph.index, glyph.x, glyph.y });
    }
    cairo_show_glyphs(cairo, buffer.data(), static_cast<int>(buffer.size()));
    if (segment.underlined) {
        const ShapedGlyph& first = line.glyphs[segment.begin];
        const ShapedGlyph& last = line.glyphs[segment.end - 1];
        cairo_new_path(cairo);
        cairo_rectangle(cairo, first.x, -segment.underlinePosition, last.x + last.advance - first.x,
            segment.underlineThickness);
        cairo_fill(cairo);
    }
}

} // namespace

void paintGlyphLine(CGContext& context, const ShapedParagraph& paragraph, const ShapedLine& line,
    std::span<const GlyphSegment> segments, CGPoint baseline, bool flipped, CGFloat ascent, CGFloat descent)
{
    if (segments.empty())
        return;
    // Accents and descenders may pass the font's ascent and descent a little.
    CGFloat above = ascent * 1.5f;
    CGFloat below = descent * 1.5f;
    CGFloat width
        = static_cast<CGFloat>(std::max(line.width, line.glyphs.back().x + line.glyphs.back().advance));
    CGRect bounds = flipped ? CGRectMake(baseline.x, baseline.y - below, width, above + below)
                            : CGRectMake(baseline.x, baseline.y - above, width, above + below);
    static std::vector<cairo_glyph_t> buffer;
    context.paintWithShadow(bounds, [&](cairo_t* cairo, const CGColor* shadow) {
        cairo_save(cairo);
        cairo_translate(cairo, baseline.x, baseline.y);
        // Glyph outlines are y-down; in CoreText's y-up space they are turned
        // over around their own baseline so that they stand upright.
        if (flipped)
            cairo_scale(cairo, 1, -1);
        for (const GlyphSegment& segment : segments)
            paintSegment(cairo, paragraph, line, segment, shadow, buffer);
        cairo_restore(cairo);
    });
}
