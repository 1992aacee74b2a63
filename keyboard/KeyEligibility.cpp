#include "keyboard/KeyEligibility.h"

#include "keyboard/KeyPropertyEntries.h"
#include "keyboard/KeyboardModel.h"

bool isEligibleKey(NSObject* key)
{
    if (!key)
        return false;
    int displayType = send(key, sel::displayType);
    if (displayType != 0 && displayType != 8)
        return false;
    return nodeIntProperty(key, entry::displayTypeHint) != 5000;
}
