#pragma once

typedef struct _PangoContext PangoContext;
typedef struct _PangoFontMap PangoFontMap;

// The one pango context all text is shaped and measured in: 72 dots per inch
// so that a font size is in user units, no hinting, and neither glyph
// positions nor metrics rounded to whole pixels. Measurements then depend on
// the font and the text alone, never on the context drawn into. Lives for
// the process; main thread only.
PangoContext* sharedPangoContext();
PangoFontMap* sharedPangoFontMap();
