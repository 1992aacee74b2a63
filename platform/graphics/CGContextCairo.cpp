#include "platform/graphics/CGContextCairo.h"

#include "platform/graphics/BoxBlur.h"
#include "platform/graphics/CGRectStandardize.h"

#include <algorithm>
#include <array>
#include <cairo.h>
#include <cmath>
#include <numbers>

CGContext::CGContext(cairo_surface_t* surface, CGFloat scale)
    : m_surface(cairo_surface_reference(surface))
    , m_cairo(cairo_create(surface))
    , m_scale(scale)
{
    cairo_scale(m_cairo, scale, scale);
}

CGContext::~CGContext()
{
    cairo_destroy(m_cairo);
    cairo_surface_destroy(m_surface);
}

void CGContext::saveState()
{
    cairo_save(m_cairo);
    m_savedStates.push_back(m_state);
}

void CGContext::restoreState()
{
    if (m_savedStates.empty())
        return;
    cairo_restore(m_cairo);
    m_state = m_savedStates.back();
    m_savedStates.pop_back();
}

void CGContext::paintWithShadow(CGRect userBounds, const ShapePainter& paint)
{
    if (m_state.hasShadow()) {
        if (m_state.shadowBlur > 0)
            paintBlurredShadow(userBounds, paint);
        else
            paintHardShadow(paint);
    }
    paint(m_cairo, nullptr);
}

// The shadow offset lives in device space: it moves the copy on the bitmap
// whatever the current transformation, height downwards.
void CGContext::paintHardShadow(const ShapePainter& paint)
{
    cairo_save(m_cairo);
    cairo_matrix_t matrix;
    cairo_get_matrix(m_cairo, &matrix);
    matrix.x0 += m_state.shadowOffset.width * m_scale;
    matrix.y0 += m_state.shadowOffset.height * m_scale;
    cairo_set_matrix(m_cairo, &matrix);
    paint(m_cairo, &m_state.shadowColor);
    cairo_restore(m_cairo);
}

// Renders the shape's coverage into a mask around its device bounds, blurs
// it and paints the shadow colour through it at the offset.
void CGContext::paintBlurredShadow(CGRect userBounds, const ShapePainter& paint)
{
    double sigma = m_state.shadowBlur * m_scale / 2;
    double margin = std::ceil(3 * sigma) + 1;
    std::array<std::array<double, 2>, 4> corners { { { userBounds.minX(), userBounds.minY() },
        { userBounds.maxX(), userBounds.minY() }, { userBounds.minX(), userBounds.maxY() },
        { userBounds.maxX(), userBounds.maxY() } } };
    double left = INFINITY, top = INFINITY, right = -INFINITY, bottom = -INFINITY;
    for (auto& corner : corners) {
        cairo_user_to_device(m_cairo, &corner[0], &corner[1]);
        left = std::min(left, corner[0]);
        right = std::max(right, corner[0]);
        top = std::min(top, corner[1]);
        bottom = std::max(bottom, corner[1]);
    }
    double offsetX = m_state.shadowOffset.width * m_scale;
    double offsetY = m_state.shadowOffset.height * m_scale;
    // Only the part whose shadow lands on the bitmap matters.
    double surfaceWidth = cairo_image_surface_get_width(m_surface);
    double surfaceHeight = cairo_image_surface_get_height(m_surface);
    left = std::max(std::floor(left - margin), -offsetX - margin);
    top = std::max(std::floor(top - margin), -offsetY - margin);
    right = std::min(std::ceil(right + margin), surfaceWidth - offsetX + margin);
    bottom = std::min(std::ceil(bottom + margin), surfaceHeight - offsetY + margin);
    if (!(right > left && bottom > top))
        return;
    int width = static_cast<int>(right - left);
    int height = static_cast<int>(bottom - top);

    cairo_surface_t* mask = cairo_image_surface_create(CAIRO_FORMAT_A8, width, height);
    cairo_t* maskContext = cairo_create(mask);
    cairo_matrix_t matrix;
    cairo_get_matrix(m_cairo, &matrix);
    matrix.x0 -= left;
    matrix.y0 -= top;
    cairo_set_matrix(maskContext, &matrix);
    CGColor coverage { 0, 0, 0, 1 };
    paint(maskContext, &coverage);
    cairo_destroy(maskContext);

    cairo_surface_flush(mask);
    blurAlphaMask(
        cairo_image_surface_get_data(mask), width, height, cairo_image_surface_get_stride(mask), sigma);
    cairo_surface_mark_dirty(mask);

    cairo_save(m_cairo);
    cairo_identity_matrix(m_cairo);
    setCairoSourceColor(m_cairo, m_state.shadowColor);
    cairo_mask_surface(m_cairo, mask, left + offsetX, top + offsetY);
    cairo_restore(m_cairo);
    cairo_surface_destroy(mask);
}

void setCairoSourceColor(cairo_t* cairo, const CGColor& color)
{
    cairo_set_source_rgba(cairo, color.red, color.green, color.blue, color.alpha);
}

CGColor shadowPaintColor(const CGColor& shadow, const CGColor& own)
{
    return { shadow.red, shadow.green, shadow.blue, shadow.alpha * own.alpha };
}

namespace {

// Makes the rectangle the whole of the current path.
void setRectanglePath(cairo_t* cairo, CGRect rect)
{
    cairo_new_path(cairo);
    cairo_rectangle(cairo, rect.minX(), rect.minY(), rect.width(), rect.height());
}

CGRect outset(CGRect rect, CGFloat amount)
{
    return CGRectMake(
        rect.minX() - amount, rect.minY() - amount, rect.width() + 2 * amount, rect.height() + 2 * amount);
}

void addRoundedRectangle(cairo_t* cairo, CGRect rect, CGFloat radius)
{
    double r = std::clamp<double>(radius, 0, std::min(rect.width(), rect.height()) / 2);
    constexpr double quarter = std::numbers::pi / 2;
    cairo_new_sub_path(cairo);
    cairo_arc(cairo, rect.maxX() - r, rect.minY() + r, r, -quarter, 0);
    cairo_arc(cairo, rect.maxX() - r, rect.maxY() - r, r, 0, quarter);
    cairo_arc(cairo, rect.minX() + r, rect.maxY() - r, r, quarter, 2 * quarter);
    cairo_arc(cairo, rect.minX() + r, rect.minY() + r, r, 2 * quarter, 3 * quarter);
    cairo_close_path(cairo);
}

} // namespace

void CGContextSaveGState(CGContextRef context)
{
    if (context)
        context->saveState();
}

void CGContextRestoreGState(CGContextRef context)
{
    if (context)
        context->restoreState();
}

void CGContextTranslateCTM(CGContextRef context, CGFloat tx, CGFloat ty)
{
    if (context)
        cairo_translate(context->cairo(), tx, ty);
}

// A zero scale would make the transformation singular, which puts cairo in
// an error state for good; it is refused instead.
void CGContextScaleCTM(CGContextRef context, CGFloat sx, CGFloat sy)
{
    if (context && sx != 0 && sy != 0 && std::isfinite(sx) && std::isfinite(sy))
        cairo_scale(context->cairo(), sx, sy);
}

CGAffineTransform CGContextGetCTM(CGContextRef context)
{
    if (!context)
        return CGAffineTransformIdentity;
    cairo_matrix_t matrix;
    cairo_get_matrix(context->cairo(), &matrix);
    return { static_cast<CGFloat>(matrix.xx), static_cast<CGFloat>(matrix.yx),
        static_cast<CGFloat>(matrix.xy), static_cast<CGFloat>(matrix.yy), static_cast<CGFloat>(matrix.x0),
        static_cast<CGFloat>(matrix.y0) };
}

void CGContextSetTextMatrix(CGContextRef context, CGAffineTransform matrix)
{
    if (context)
        context->setTextMatrix(matrix);
}

CGAffineTransform CGContextGetTextMatrix(CGContextRef context)
{
    return context ? context->textMatrix() : CGAffineTransformIdentity;
}

void CGContextSetFillColorWithColor(CGContextRef context, CGColor color)
{
    if (context)
        context->state().fillColor = color;
}

void CGContextFillRect(CGContextRef context, CGRect rect)
{
    if (!context)
        return;
    rect = CGRectStandardize(rect);
    CGColor fill = context->state().fillColor;
    context->paintWithShadow(rect, [&](cairo_t* cairo, const CGColor* shadow) {
        setRectanglePath(cairo, rect);
        setCairoSourceColor(cairo, shadow ? shadowPaintColor(*shadow, fill) : fill);
        cairo_fill(cairo);
    });
}

void CGContextFillRoundedRect(CGContextRef context, CGRect rect, CGFloat radius)
{
    if (!context)
        return;
    rect = CGRectStandardize(rect);
    CGColor fill = context->state().fillColor;
    context->paintWithShadow(rect, [&](cairo_t* cairo, const CGColor* shadow) {
        cairo_new_path(cairo);
        addRoundedRectangle(cairo, rect, radius);
        setCairoSourceColor(cairo, shadow ? shadowPaintColor(*shadow, fill) : fill);
        cairo_fill(cairo);
    });
}

void CGContextStrokeRect(CGContextRef context, CGRect rect, CGColor color, CGFloat lineWidth)
{
    if (!context || !(lineWidth > 0))
        return;
    rect = CGRectStandardize(rect);
    context->paintWithShadow(outset(rect, lineWidth / 2), [&](cairo_t* cairo, const CGColor* shadow) {
        setRectanglePath(cairo, rect);
        cairo_set_line_width(cairo, lineWidth);
        cairo_set_line_join(cairo, CAIRO_LINE_JOIN_MITER);
        setCairoSourceColor(cairo, shadow ? shadowPaintColor(*shadow, color) : color);
        cairo_stroke(cairo);
    });
}

void CGContextClearRect(CGContextRef context, CGRect rect)
{
    if (!context)
        return;
    rect = CGRectStandardize(rect);
    cairo_t* cairo = context->cairo();
    cairo_save(cairo);
    setRectanglePath(cairo, rect);
    cairo_set_operator(cairo, CAIRO_OPERATOR_CLEAR);
    cairo_fill(cairo);
    cairo_restore(cairo);
}

void CGContextClipToRect(CGContextRef context, CGRect rect)
{
    if (!context)
        return;
    rect = CGRectStandardize(rect);
    cairo_t* cairo = context->cairo();
    setRectanglePath(cairo, rect);
    cairo_clip(cairo);
}

CGRect CGContextGetClipBoundingBox(CGContextRef context)
{
    if (!context)
        return CGRectMake(0, 0, 0, 0);
    double x1, y1, x2, y2;
    cairo_clip_extents(context->cairo(), &x1, &y1, &x2, &y2);
    return CGRectMake(static_cast<CGFloat>(x1), static_cast<CGFloat>(y1), static_cast<CGFloat>(x2 - x1),
        static_cast<CGFloat>(y2 - y1));
}

void CGContextSetShadowWithColor(CGContextRef context, CGSize offset, CGFloat blur, CGColor color)
{
    if (!context)
        return;
    CGGraphicsState& state = context->state();
    bool usable = std::isfinite(offset.width) && std::isfinite(offset.height) && std::isfinite(blur);
    state.shadowOffset = usable ? offset : CGSize {};
    state.shadowBlur = usable ? std::max<CGFloat>(blur, 0) : 0;
    state.shadowColor = usable ? color : CGColor {};
}

void CGContextSetShadow(CGContextRef context, CGSize offset, CGFloat blur)
{
    CGContextSetShadowWithColor(context, offset, blur, CGColor::white(0, 1.0f / 3));
}
