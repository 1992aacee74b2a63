#include "keyboard/KeyEligibility.h"

#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"

namespace {

bool hasAugmentedDisplayType(NSObject* key)
{
    int displayType = send(key, sel::displayType);
    return displayType == UIKBKeyDisplayTypeString || displayType == UIKBKeyDisplayTypeDynamicString;
}

bool isMarkedOff(const NSMutableDictionary* properties)
{
    return properties
        && properties->objectForKey(entry::displayTypeHint).intValue() == UIKBDisplayTypeHintNoAugmentation;
}

} // namespace

bool isEligibleKey(NSObject* key)
{
    return key && hasAugmentedDisplayType(key) && !isMarkedOff(send(key, sel::properties));
}

bool isEligibleKey(NSObject* key, const NSMutableDictionary* properties)
{
    return key && hasAugmentedDisplayType(key) && !isMarkedOff(properties);
}
