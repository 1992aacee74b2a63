#pragma once

#include "simulator/CommandLine.h"

#include <optional>
#include <string>
#include <vector>

// The device root a run boots: --device, else $CORVANE_DEVICE_ROOT, else the
// build's own device folder; always an absolute path.
struct DeviceSelection {
    std::string root;
    // Set when the root cannot be used; says what to do about it.
    std::optional<std::string> error;
    // Things worth knowing that do not stop the run (a deliverable missing).
    std::vector<std::string> warnings;
};

DeviceSelection selectDeviceRoot(const CommandLine& commandLine);

// The path of the running corvane-sim, which host processes are started from.
std::string currentExecutable();
