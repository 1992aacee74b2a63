#pragma once

#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSString.h"
#include "platform/uikit/UIImage.h"

class Class;

// One settings pane as the Settings application lists it: the row's text and
// icon, and the bundle whose principal class makes the pane's first page.
struct SettingsPaneEntry {
    NSString label;
    NSString cell;
    RefPtr<NSBundle> bundle;
    Class* principalClass { nullptr };
    RefPtr<UIImage> icon;
};
