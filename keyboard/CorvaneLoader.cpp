#include "keyboard/ExtensionStartup.h"

// The injection framework loads the library into every process that shows
// the keyboard; this is what runs when it does.
__attribute__((constructor)) static void loadCorvane()
{
    initializeExtension();
}
