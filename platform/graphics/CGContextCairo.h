#pragma once

#include "platform/graphics/CGContext.h"

#include <functional>
#include <vector>

// cairo's handles, declared as cairo.h declares them so that no cairo header
// reaches the files that include this one.
typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

// What CGContextSaveGState keeps besides cairo's own state (the
// transformation and the clip, saved by cairo_save).
struct CGGraphicsState {
    CGColor fillColor { 0, 0, 0, 1 };
    CGSize shadowOffset;
    CGFloat shadowBlur { 0 };
    CGColor shadowColor; // clear: no shadow

    bool hasShadow() const { return !shadowColor.isClear(); }
};

// The drawing context on a cairo image surface.
class CGContext {
public:
    // Draws into the surface, taking a reference to it; the transformation
    // starts scaled by scale, so one user unit is one point.
    CGContext(cairo_surface_t* surface, CGFloat scale);
    ~CGContext();
    CGContext(const CGContext&) = delete;
    CGContext& operator=(const CGContext&) = delete;

    cairo_t* cairo() const { return m_cairo; }
    cairo_surface_t* surface() const { return m_surface; }
    CGFloat scale() const { return m_scale; }

    CGGraphicsState& state() { return m_state; }
    const CGGraphicsState& state() const { return m_state; }
    void saveState();
    void restoreState();

    CGAffineTransform textMatrix() const { return m_textMatrix; }
    void setTextMatrix(CGAffineTransform matrix) { m_textMatrix = matrix; }

    // Paints one shape. The painter builds and paints its shape on the cairo
    // context it is given, in its own colours, or, when given a colour, in
    // that colour with its own opacity multiplied in (that is how the shadow
    // is cast). userBounds encloses the shape in user space; blurred shadows
    // need it.
    using ShapePainter = std::function<void(cairo_t*, const CGColor* shadowColor)>;
    void paintWithShadow(CGRect userBounds, const ShapePainter& paint);

private:
    void paintHardShadow(const ShapePainter& paint);
    void paintBlurredShadow(CGRect userBounds, const ShapePainter& paint);

    cairo_surface_t* m_surface;
    cairo_t* m_cairo;
    CGFloat m_scale;
    CGGraphicsState m_state;
    std::vector<CGGraphicsState> m_savedStates;
    CGAffineTransform m_textMatrix;
};

void setCairoSourceColor(cairo_t* cairo, const CGColor& color);
// The colour a shape of colour `own` casts its shadow in.
CGColor shadowPaintColor(const CGColor& shadow, const CGColor& own);
