#pragma once

#include "platform/graphics/CTFont.h"

#include <cstdint>

typedef struct _PangoFontDescription PangoFontDescription;

// A face of the font table and its metrics at a size, in user units with
// CoreText's signs.
struct CTFontMetrics {
    CGFloat ascent { 0 };
    CGFloat descent { 0 };
    CGFloat leading { 0 };
    CGFloat capHeight { 0 };
    CGFloat xHeight { 0 };
    CGFloat underlinePosition { 0 };
    CGFloat underlineThickness { 0 };
};

class CTFont {
public:
    // The face is looked up by family and weight through fontconfig.
    CTFont(NSString postScriptName, CGFloat size, const char* family, int weight);
    ~CTFont();
    CTFont(const CTFont&) = delete;
    CTFont& operator=(const CTFont&) = delete;

    const NSString& postScriptName() const { return m_postScriptName; }
    CGFloat size() const { return m_size; }
    const CTFontMetrics& metrics() const { return m_metrics; }
    CGFloat lineHeight() const { return m_metrics.ascent + m_metrics.descent; }
    const NSString& faceName() const { return m_faceName; }
    // Unique for the life of the process; keys the shaping cache.
    std::uint64_t identifier() const { return m_identifier; }
    PangoFontDescription* description() const { return m_description; }

private:
    void loadFace();

    NSString m_postScriptName;
    CGFloat m_size;
    PangoFontDescription* m_description;
    CTFontMetrics m_metrics;
    NSString m_faceName { "" };
    std::uint64_t m_identifier;
};
