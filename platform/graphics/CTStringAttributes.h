#pragma once

#include "platform/graphics/CGColor.h"
#include "platform/graphics/CTFont.h"
#include "platform/graphics/CTParagraphStyle.h"

#include <cstddef>
#include <optional>

enum CTUnderlineStyle : int {
    kCTUnderlineStyleNone = 0,
    kCTUnderlineStyleSingle = 1,
};

// The attribute dictionary of a stretch of text, typed: each member is one
// key that may be present. What is absent takes CoreText's default when the
// text is set: Helvetica 12, opaque black, no underline, natural alignment
// with the font's own line height.
struct CTStringAttributes {
    CTFontRef font; // kCTFontAttributeName
    std::optional<CGColor> foregroundColor; // kCTForegroundColorAttributeName
    std::optional<int> underlineStyle; // kCTUnderlineStyleAttributeName
    CTParagraphStyleRef paragraphStyle; // kCTParagraphStyleAttributeName

    // The number of entries present.
    std::size_t count() const
    {
        return std::size_t(font != nullptr) + std::size_t(foregroundColor.has_value())
            + std::size_t(underlineStyle.has_value()) + std::size_t(paragraphStyle != nullptr);
    }
    bool isEmpty() const { return count() == 0; }
};

// The keys, for code that reads like the dictionary it builds:
// attributes.*kCTFontAttributeName = CTFontCreateWithName("Helvetica-Bold", 22);
inline constexpr auto kCTFontAttributeName = &CTStringAttributes::font;
inline constexpr auto kCTForegroundColorAttributeName = &CTStringAttributes::foregroundColor;
inline constexpr auto kCTUnderlineStyleAttributeName = &CTStringAttributes::underlineStyle;
inline constexpr auto kCTParagraphStyleAttributeName = &CTStringAttributes::paragraphStyle;
