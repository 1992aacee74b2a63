#pragma once

#include "platform/graphics/CGGeometry.h"

// The same rectangle with a width and height that are not negative: a
// negative extent moves the origin to the other edge.
inline CGRect CGRectStandardize(CGRect rect)
{
    if (rect.size.width < 0) {
        rect.origin.x += rect.size.width;
        rect.size.width = -rect.size.width;
    }
    if (rect.size.height < 0) {
        rect.origin.y += rect.size.height;
        rect.size.height = -rect.size.height;
    }
    return rect;
}
