#include "platform/graphics/CGPath.h"

#include "platform/graphics/CGRectStandardize.h"

#include <algorithm>

CGPathRef CGPathCreateWithRect(CGRect rect, const CGAffineTransform* transform)
{
    // Without a transform the rectangle is kept as given, so its width is
    // exactly the caller's and not a difference of two rounded edges.
    if (!transform)
        return std::make_shared<const CGPath>(CGRectStandardize(rect));
    CGPoint corners[4] = { { rect.minX(), rect.minY() }, { rect.maxX(), rect.minY() },
        { rect.minX(), rect.maxY() }, { rect.maxX(), rect.maxY() } };
    for (CGPoint& corner : corners) {
        corner = { transform->a * corner.x + transform->c * corner.y + transform->tx,
            transform->b * corner.x + transform->d * corner.y + transform->ty };
    }
    CGFloat left = corners[0].x, right = corners[0].x, bottom = corners[0].y, top = corners[0].y;
    for (const CGPoint& corner : corners) {
        left = std::min(left, corner.x);
        right = std::max(right, corner.x);
        bottom = std::min(bottom, corner.y);
        top = std::max(top, corner.y);
    }
    return std::make_shared<const CGPath>(CGRectMake(left, bottom, right - left, top - bottom));
}

CGRect CGPathGetBoundingBox(const CGPathRef& path)
{
    return path ? path->boundingBox() : CGRectZero;
}
