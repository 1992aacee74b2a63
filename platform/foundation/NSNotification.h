#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/NSString.h"

// One posted notification: its name, the object that posted it (if any) and
// extra information (if any). It keeps both alive while it is delivered.
class PLATFORM_EXPORT NSNotification final : public NSObject {
public:
    static Class* staticClass();

    NSNotification(NSString name, NSObject* object, RefPtr<NSMutableDictionary> userInfo);

    const NSString& name() const { return m_name; }
    NSObject* object() const { return m_object.get(); }
    NSMutableDictionary* userInfo() const { return m_userInfo.get(); }

private:
    NSString m_name;
    RefPtr<NSObject> m_object;
    RefPtr<NSMutableDictionary> m_userInfo;
};
