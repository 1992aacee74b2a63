#pragma once

#include "platform/foundation/ErrorOr.h"
#include "simulator/CommandLine.h"

#include <iosfwd>
#include <string>
#include <vector>

// The device root a run boots: --device, else $CORVANE_DEVICE_ROOT, else the
// build's own device folder; always an absolute path. It holds Corvane's
// deliverables, or the run does not start: an empty folder is laid out from
// the build's package (saying so on progress), and anything else that lacks
// them is an error that says how to make one.
ErrorOr<std::string> prepareDeviceRoot(const CommandLine& commandLine, std::ostream& progress);

// The deliverables' files in a device root, as device paths ("/Library/…").
std::vector<std::string> deliverablePaths();
// The folders the platform loads add-ons from (injected libraries, the
// Settings host's bundles and entries): all a run needs of a device root.
std::vector<std::string> deliverableFolders();

// The path of the running corvane-sim, which host processes are started from.
std::string currentExecutable();
