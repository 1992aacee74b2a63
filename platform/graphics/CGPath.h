#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGContext.h"

#include <memory>

// A path as text layout uses it: one rectangle.
class PLATFORM_EXPORT CGPath {
public:
    explicit CGPath(CGRect rect)
        : m_boundingBox(rect)
    {
    }
    CGRect boundingBox() const { return m_boundingBox; }

private:
    CGRect m_boundingBox;
};
using CGPathRef = std::shared_ptr<const CGPath>;

// The rectangle, transformed when a transform is given; negative sizes are
// turned into the same rectangle with positive ones.
PLATFORM_EXPORT CGPathRef CGPathCreateWithRect(CGRect rect, const CGAffineTransform* transform = nullptr);
// CGRectZero for a missing path.
PLATFORM_EXPORT CGRect CGPathGetBoundingBox(const CGPathRef& path);
