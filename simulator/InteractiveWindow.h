#pragma once

#include "simulator/CommandLine.h"

#include <string>

// `corvane-sim interactive`: a window that shows the simulated phone. The
// mouse is the finger; keys rotate the device, switch apps, the locale and
// the keyboard type. Each app runs in its own host process on the real clock
// and renders into a frame buffer that the window shows.
int runInteractive(const CommandLine& commandLine, const std::string& deviceRoot);
