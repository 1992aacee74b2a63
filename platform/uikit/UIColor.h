#pragma once

#include "platform/PlatformExport.h"
#include "platform/graphics/CGColor.h"
#include "platform/graphics/CGGeometry.h"
#include "platform/runtime/Message.h"

// A colour object as views and drawing code pass it around.
class PLATFORM_EXPORT UIColor final : public NSObject {
public:
    static Class* staticClass();
    explicit UIColor(::CGColor color);

    static RefPtr<UIColor> clearColor();
    static RefPtr<UIColor> whiteColor();
    static RefPtr<UIColor> blackColor();
    static RefPtr<UIColor> darkTextColor();
    static RefPtr<UIColor> lightGrayColor();
    static RefPtr<UIColor> grayColor();
    static RefPtr<UIColor> colorWithWhiteAlpha(CGFloat white, CGFloat alpha);
    static RefPtr<UIColor> colorWithRedGreenBlueAlpha(
        CGFloat red, CGFloat green, CGFloat blue, CGFloat alpha);

    ::CGColor CGColor() const { return m_color; }
    // Makes this the fill colour of the current drawing context.
    void setFill() const;

private:
    ::CGColor m_color;
};
