#pragma once

#include "platform/graphics/CGColor.h"
#include "platform/graphics/CGGeometry.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <span>
#include <vector>

class CGContext;
class CTFont;
class ShapedParagraph;
struct ShapedLine;

// How the glyphs of one stretch of text are painted.
struct GlyphStyle {
    std::size_t stretch; // changes wherever the attributes change
    CGColor color;
    bool underlined;
    const CTFont* font;
};

// Consecutive glyphs of a line painted alike, in one scaled font.
struct GlyphSegment {
    std::uint32_t begin;
    std::uint32_t end;
    std::uint32_t fontSlot;
    CGColor color;
    bool underlined;
    CGFloat underlinePosition;
    CGFloat underlineThickness;
};

// Splits a line's glyphs wherever the style of their characters (looked up
// by byte offset in the paragraph) or their font changes.
std::vector<GlyphSegment> segmentGlyphs(
    const ShapedLine& line, const std::function<GlyphStyle(std::size_t byteOffset)>& styleAt);

// Paints a line with its baseline starting at `baseline` in user space, the
// context's shadow under it. `flipped` turns the glyphs the other way up for
// user spaces whose y grows upwards. ascent and descent bound the glyphs
// vertically, for blurred shadows.
void paintGlyphLine(CGContext& context, const ShapedParagraph& paragraph, const ShapedLine& line,
    std::span<const GlyphSegment> segments, CGPoint baseline, bool flipped, CGFloat ascent, CGFloat descent);
