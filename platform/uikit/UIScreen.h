#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"

// The device's screen: its size in points and how many pixels a point has.
// The host sets both before it builds any window.
class PLATFORM_EXPORT UIScreen final : public NSObject {
public:
    static Class* staticClass();
    static UIScreen* mainScreen();

    CGRect bounds() const { return m_bounds; }
    void setBounds(CGRect bounds) { m_bounds = bounds; }
    // 1 or 2; images named "@2x" are preferred on a screen of scale 2.
    CGFloat scale() const { return m_scale; }
    void setScale(CGFloat scale) { m_scale = scale >= 2 ? 2 : 1; }

private:
    UIScreen();

    CGRect m_bounds { { 0, 0 }, { 320, 480 } };
    CGFloat m_scale { 1 };
};
