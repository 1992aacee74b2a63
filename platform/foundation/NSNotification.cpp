#include "platform/foundation/NSNotification.h"

#include "platform/runtime/Class.h"

Class* NSNotification::staticClass()
{
    static Class* cls = objc_allocateClass("NSNotification", NSObject::staticClass());
    return cls;
}

NSNotification::NSNotification(NSString name, NSObject* object, RefPtr<NSMutableDictionary> userInfo)
    : NSObject(staticClass())
    , m_name(std::move(name))
    , m_object(object)
    , m_userInfo(std::move(userInfo))
{
}
