#pragma once

#include "simulator/CommandLine.h"

#include <span>
#include <string>

struct DemoStep {
    // Shown while the step runs.
    const char* progress;
    // What was done, for the transcript.
    const char* description;
    // Script lines; `expect` lines check that it worked.
    const char* commands;
    // The screenshot taken at the end of the step, without its number.
    const char* screenshot;
    // The step typed something, so the transcript shows the field.
    bool types;
};

// The steps `corvane-sim demo` runs.
std::span<const DemoStep> demoSteps();

// `corvane-sim demo`: on a fresh copy of the device, opens Settings on the
// Corvane pane, types into its test field with taps and flicks, changes both
// settings in the sentence, and shows that the keyboard of a second app
// process follows. Writes numbered screenshots, a transcript and the script it
// ran into an output folder.
// A step that does not parse fails the demo before anything is run or written.
int runDemo(const CommandLine& commandLine, const std::string& deviceRoot,
    std::span<const DemoStep> steps = demoSteps());
