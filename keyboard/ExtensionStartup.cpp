#include "keyboard/ExtensionStartup.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/LocaleChange.h"
#include "keyboard/MethodReplacements.h"
#include "keyboard/Settings.h"
#include "platform/foundation/CFNotificationCenter.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/NSUncaughtExceptionHandler.h"

namespace {

// A class or method the platform lacks is passed over (the displaced
// implementation stays nothing) so that the others still work. A second
// start-up in the same process leaves an installed replacement alone rather
// than making it displace itself.
void replace(const MethodReplacement& replacement)
{
    Class* methodTable = replacement.methodTable();
    if (methodTable && methodTable->lookupImplementation(replacement.selector()) == replacement.replacement())
        return;
    replacement.install(methodTable);
}

} // namespace

void initializeExtension()
{
    buildAlternateTables();
    for (const MethodReplacement& replacement : methodReplacements)
        replace(replacement);
    NSSetUncaughtExceptionHandler(logUncaughtException);
    CFNotificationCenterAddObserver(CFNotificationCenterGetDarwinNotifyCenter(), nullptr, settingsChanged,
        NSString(settingsChangedNotification), nullptr, 0);
    observeLocaleChanges();
    // The first keyplane the keyboard sets is augmented under these settings.
    loadSettings();
}

void logUncaughtException(const NSException& exception)
{
    NSLog("***** Corvane Uncaught Exception: %@ *****", { NSString(exception.description()) });
    // The count is read again after each line, as the stack is walked.
    for (std::size_t index = 0; index < exception.callStackSymbols().size(); ++index)
        NSLog("***** %@", { NSString(exception.callStackSymbols()[index]) });
}
