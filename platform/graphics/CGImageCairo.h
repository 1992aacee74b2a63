#pragma once

#include "platform/graphics/CGImage.h"

typedef struct _cairo_surface cairo_surface_t;

// An image on an ARGB32 cairo image surface that nobody draws into any more.
class CGImage {
public:
    // Takes over the reference to the surface, which must be an ARGB32 image surface.
    explicit CGImage(cairo_surface_t* surface);
    ~CGImage();
    CGImage(const CGImage&) = delete;
    CGImage& operator=(const CGImage&) = delete;

    cairo_surface_t* surface() const { return m_surface; }
    std::size_t width() const;
    std::size_t height() const;

    // A new image holding a copy of any image surface's pixels, as ARGB32.
    static CGImageRef copyOf(cairo_surface_t* surface);

private:
    cairo_surface_t* m_surface;
};
