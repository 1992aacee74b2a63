#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/NSString.h"

#include <initializer_list>
#include <string_view>

// Writes one line to standard error, as the platform logs:
// "2012-03-04 10:11:12.345 ProcessName[pid:thread] message". The format
// takes "%@" for each argument, as NSString::stringWithFormat does.
PLATFORM_EXPORT void NSLog(std::string_view format, std::initializer_list<NSString> arguments = {});
