#pragma once

#include "platform/PlatformExport.h"
#include "platform/runtime/NSException.h"

#include <exception>

using NSUncaughtExceptionHandler = void(const NSException& exception);

// The process-wide handler that sees an exception nobody caught, just before
// the process ends. Setting one replaces the previous handler.
PLATFORM_EXPORT void NSSetUncaughtExceptionHandler(NSUncaughtExceptionHandler* handler);
PLATFORM_EXPORT NSUncaughtExceptionHandler* NSGetUncaughtExceptionHandler();

// Ends the process the way the platform does for an exception nobody caught:
// the handler sees it (any other exception arrives as an NSException with its
// message as the reason), the termination is logged with the exception's
// name, reason and call stack, and the process aborts.
[[noreturn]] PLATFORM_EXPORT void terminateWithUncaughtException(std::exception_ptr exception);
