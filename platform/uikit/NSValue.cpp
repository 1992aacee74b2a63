#include "platform/uikit/NSValue.h"

Class* NSValue::staticClass()
{
    static Class* cls = objc_allocateClass("NSValue", NSObject::staticClass());
    return cls;
}

NSValue::NSValue(CGRect rect)
    : NSObject(staticClass())
    , m_rect(rect)
{
}
