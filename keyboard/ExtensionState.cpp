#include "keyboard/ExtensionState.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/KeyplaneDirectory.h"
#include "keyboard/KeyplaneImageCache.h"
#include "keyboard/MethodReplacements.h"

ExtensionState extension;

void resetExtensionStateForTesting()
{
    extension = {};
    forgetFoundKeyplanes();
    KeyplaneImageCache::shared().clear();
    for (const MethodReplacement& replacement : methodReplacements)
        replacement.forgetDisplaced();
    buildAlternateTables();
}
