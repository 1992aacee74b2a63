#pragma once

#include "simulator/CommandLine.h"

#include <string>

// `corvane-sim keys`: shows a keyboard in a test app, as the platform would
// with the extension injected, and prints each key of the keyplane with its
// alternates; optionally renders the keyplane to a PNG. It leaves the device
// root exactly as it was.
int listKeys(const CommandLine& commandLine, const std::string& deviceRoot);
