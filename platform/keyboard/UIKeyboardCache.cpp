#include "platform/keyboard/UIKeyboardCache.h"

Class* UIKeyboardCache::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("UIKeyboardCache", NSObject::staticClass());
        addMethod(created->metaclass(), sel::enabled, [](NSObject*) { return true; });
        return created;
    }();
    return cls;
}
