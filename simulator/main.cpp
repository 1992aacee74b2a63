#include "simulator/CommandLine.h"
#include "simulator/HostMain.h"
#include "simulator/HostOptions.h"
#include "simulator/SimulatorCommands.h"

#include <iostream>
#include <string>
#include <vector>

// Fontconfig keeps its font lists in memory-mapped cache files, which the leak
// checker of sanitizer builds does not scan, so what they hold looks lost.
// Only fontconfig's own allocations are excused.
extern "C" __attribute__((visibility("default"), used)) const char* __lsan_default_suppressions()
{
    return "leak:libfontconfig.so\n";
}

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    if (!arguments.empty() && arguments[0] == hostModeArgument)
        return runHostProcess(arguments);

    auto parsed = parseCommandLine(arguments);
    if (!parsed) {
        std::cerr << "corvane-sim: " << parsed.error().message
                  << "\n(corvane-sim help lists the commands; corvane-sim help COMMAND tells about one)\n";
        return 2;
    }
    return runSimulatorCommand(parsed.value());
}
