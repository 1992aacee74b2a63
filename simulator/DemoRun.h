#pragma once

#include "simulator/CommandLine.h"

#include <string>

// `corvane-sim demo`: on a fresh copy of the device, opens Settings on the
// Corvane pane, types into its test field with taps and flicks, changes both
// settings in the sentence, and shows that the keyboard of a second app
// process follows. Writes numbered screenshots, a transcript and the script it
// ran into an output folder.
int runDemo(const CommandLine& commandLine, const std::string& deviceRoot);
