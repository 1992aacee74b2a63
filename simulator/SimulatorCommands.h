#pragma once

#include "simulator/CommandLine.h"

// Carries out what the command line asked for and answers the exit status.
int runSimulatorCommand(const CommandLine& commandLine);
