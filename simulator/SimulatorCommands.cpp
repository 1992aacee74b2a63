#include "simulator/SimulatorCommands.h"

#include "simulator/DemoRun.h"
#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/InteractiveWindow.h"
#include "simulator/KeyListing.h"
#include "simulator/ScriptParser.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace {

int runScriptFile(const CommandLine& commandLine, const DeviceSelection& device)
{
    std::ifstream file(commandLine.scriptFile, std::ios::binary);
    if (!file) {
        std::cerr << "corvane-sim: cannot read the script " << commandLine.scriptFile << '\n';
        return 2;
    }
    std::stringstream text;
    text << file.rdbuf();
    ParsedScript script = parseScript(commandLine.scriptFile, text.str());

    Driver::Settings settings;
    settings.executable = currentExecutable();
    settings.deviceRoot = device.root;
    Driver driver(settings);
    return driver.runScript(commandLine.scriptFile, script, std::cout, std::cerr);
}

} // namespace

int runSimulatorCommand(const CommandLine& commandLine)
{
    switch (commandLine.mode) {
    case CommandLine::Mode::Help:
        std::cout << usageText();
        return 0;
    case CommandLine::Mode::Version:
        std::cout << "corvane-sim " << CORVANE_VERSION << '\n';
        return 0;
    default:
        break;
    }

    DeviceSelection device = selectDeviceRoot(commandLine);
    if (device.error) {
        std::cerr << "corvane-sim: " << *device.error << '\n';
        return 2;
    }
    for (const std::string& warning : device.warnings)
        std::cerr << "corvane-sim: warning: " << warning << '\n';

    switch (commandLine.mode) {
    case CommandLine::Mode::Run:
        return runScriptFile(commandLine, device);
    case CommandLine::Mode::Keys:
        return listKeys(commandLine, device.root);
    case CommandLine::Mode::Demo:
        return runDemo(commandLine, device.root);
    case CommandLine::Mode::Interactive:
        return runInteractive(commandLine, device.root);
    default:
        std::cerr << "corvane-sim: this command is not built yet\n";
        return 2;
    }
}
