#include "platform/foundation/NSUncaughtExceptionHandler.h"

#include "platform/foundation/NSLog.h"

#include <cstdlib>
#include <optional>

namespace {

NSUncaughtExceptionHandler* installedHandler = nullptr;

NSException asPlatformException(std::exception_ptr exception)
{
    try {
        std::rethrow_exception(exception);
    } catch (const NSException& platformException) {
        return platformException;
    } catch (const std::exception& other) {
        return NSException("NSGenericException", other.what());
    } catch (...) {
        return NSException("NSGenericException", "an exception of unknown type");
    }
}

// An exception that leaves main() or a thread arrives here through std::terminate.
[[noreturn]] void terminateHandler()
{
    if (std::exception_ptr current = std::current_exception())
        terminateWithUncaughtException(current);
    std::abort();
}

} // namespace

void NSSetUncaughtExceptionHandler(NSUncaughtExceptionHandler* handler)
{
    installedHandler = handler;
    std::set_terminate(terminateHandler);
}

NSUncaughtExceptionHandler* NSGetUncaughtExceptionHandler()
{
    return installedHandler;
}

void terminateWithUncaughtException(std::exception_ptr exception)
{
    NSException uncaught = asPlatformException(exception);
    if (installedHandler) {
        try {
            installedHandler(uncaught);
        } catch (...) {
            // A handler that throws changes nothing: the process still ends.
        }
    }
    NSLog("*** Terminating app due to uncaught exception '%@', reason: '%@'",
        { NSString(uncaught.name()), NSString(uncaught.reason()) });
    NSLog("*** First throw call stack:");
    for (const std::string& symbol : uncaught.callStackSymbols())
        NSLog("%@", { NSString(symbol) });
    std::set_terminate(std::abort);
    std::abort();
}
