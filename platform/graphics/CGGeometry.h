#pragma once

// The platform's geometry: single-precision, as on the 32-bit device.
using CGFloat = float;

struct CGPoint {
    CGFloat x { 0 };
    CGFloat y { 0 };
    friend bool operator==(const CGPoint&, const CGPoint&) = default;
};

struct CGSize {
    CGFloat width { 0 };
    CGFloat height { 0 };
    friend bool operator==(const CGSize&, const CGSize&) = default;
};

struct CGRect {
    CGPoint origin;
    CGSize size;

    CGFloat minX() const { return origin.x; }
    CGFloat minY() const { return origin.y; }
    CGFloat maxX() const { return origin.x + size.width; }
    CGFloat maxY() const { return origin.y + size.height; }
    CGFloat midX() const { return origin.x + size.width / 2; }
    CGFloat midY() const { return origin.y + size.height / 2; }
    CGFloat width() const { return size.width; }
    CGFloat height() const { return size.height; }
    bool isEmpty() const { return size.width <= 0 || size.height <= 0; }
    // Half-open, as the platform's containment test is.
    bool contains(CGPoint point) const
    {
        return point.x >= minX() && point.x < maxX() && point.y >= minY() && point.y < maxY();
    }
    friend bool operator==(const CGRect&, const CGRect&) = default;
};

inline CGRect CGRectMake(CGFloat x, CGFloat y, CGFloat width, CGFloat height)
{
    return { { x, y }, { width, height } };
}

inline CGPoint CGPointMake(CGFloat x, CGFloat y)
{
    return { x, y };
}

inline CGSize CGSizeMake(CGFloat width, CGFloat height)
{
    return { width, height };
}

inline constexpr CGRect CGRectZero {};
inline constexpr CGPoint CGPointZero {};
inline constexpr CGSize CGSizeZero {};

struct UIEdgeInsets {
    CGFloat top { 0 };
    CGFloat left { 0 };
    CGFloat bottom { 0 };
    CGFloat right { 0 };
    friend bool operator==(const UIEdgeInsets&, const UIEdgeInsets&) = default;
};
