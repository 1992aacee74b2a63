#include "keyboard/ExtensionState.h"

#include "keyboard/AlternateTables.h"
#include "keyboard/KeyplaneDirectory.h"
#include "keyboard/MethodReplacements.h"

ExtensionState extension;

void resetExtensionStateForTesting()
{
    extension = {};
    forgetFoundKeyplanes();
    for (const MethodReplacement& replacement : methodReplacements)
        replacement.forgetDisplaced();
    buildAlternateTables();
}
