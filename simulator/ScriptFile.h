#pragma once

#include "platform/foundation/ErrorOr.h"

#include <string>

// Reads a script or replay file a person named: a regular file only (a
// folder, a pipe or a device is refused at once, never waited on), and at
// most a size no script comes near; "-" reads standard input to its end.
ErrorOr<std::string> readScriptFile(const std::string& path);
