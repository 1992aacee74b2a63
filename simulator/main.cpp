#include "simulator/CommandLine.h"
#include "simulator/HostMain.h"
#include "simulator/HostOptions.h"
#include "simulator/SimulatorCommands.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == hostModeArgument)
        return runHostProcess(arguments);

    CommandLineParse parsed = parseCommandLine(arguments);
    if (parsed.error) {
        std::cerr << "corvane-sim: " << *parsed.error << "\n(corvane-sim --help lists the commands)\n";
        return 2;
    }
    return runSimulatorCommand(parsed.commandLine);
}
