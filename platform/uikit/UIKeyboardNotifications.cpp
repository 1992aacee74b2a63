#include "platform/uikit/UIKeyboardNotifications.h"

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/uikit/NSValue.h"

void postKeyboardNotification(const NSString& name, CGRect frameBegin, CGRect frameEnd)
{
    auto userInfo = NSMutableDictionary::dictionary();
    userInfo->setObject(
        Value(RefPtr<NSObject>(NSValue::valueWithCGRect(frameBegin))), UIKeyboardFrameBeginUserInfoKey);
    userInfo->setObject(
        Value(RefPtr<NSObject>(NSValue::valueWithCGRect(frameEnd))), UIKeyboardFrameEndUserInfoKey);
    NSNotificationCenter::defaultCenter()->postNotificationName(name, nullptr, std::move(userInfo));
}
