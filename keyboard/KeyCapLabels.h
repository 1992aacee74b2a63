#pragma once

#include "platform/graphics/CGContext.h"
#include "platform/graphics/CTStringAttributes.h"

#include <optional>

class NSObject;

// Draws one key's labels into a context prepared for CoreText (y up): its
// main label alone in the single style, or its alternate label over its main
// label when it has one and an alternate style is given. In a key view the
// labels fill the key's padded size from the view's bottom; on the keyplane
// they fill the key's padded frame, referenceHeight being the keyplane
// view's height. A key without a main label gets no labels.
void drawKeyCapLabels(CGContextRef context, NSObject* key, const CTStringAttributes& singleSet,
    const CTStringAttributes& primarySet, const std::optional<CTStringAttributes>& alternateSet,
    bool inKeyView, bool shiftLocked, CGFloat referenceHeight);
