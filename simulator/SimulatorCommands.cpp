#include "simulator/SimulatorCommands.h"

#include "simulator/BuildVersion.h"
#include "simulator/DemoRun.h"
#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/InteractiveWindow.h"
#include "simulator/Interruption.h"
#include "simulator/KeyListing.h"
#include "simulator/ScriptFile.h"
#include "simulator/ScriptLanguage.h"
#include "simulator/StandardInput.h"
#include "simulator/TextInput.h"
#include "simulator/TypingRun.h"

#include <iostream>

namespace {

int runScript(const ParsedScript& script, const std::string& deviceRoot)
{
    Driver::Settings settings;
    settings.executable = currentExecutable();
    settings.deviceRoot = deviceRoot;
    Driver driver(settings);
    return driver.runScript(script, std::cout, std::cerr);
}

int carryOut(const CommandLine& commandLine)
{
    switch (commandLine.mode) {
    case CommandLine::Mode::Help:
        std::cout << commandLine.helpText << std::flush;
        return std::cout ? 0 : 2;
    case CommandLine::Mode::Version:
        std::cout << buildVersionText() << std::endl;
        return std::cout ? 0 : 2;
    default:
        break;
    }

    // A script that cannot be read stops the run before any device is touched.
    ParsedScript script;
    if (commandLine.mode == CommandLine::Mode::Run) {
        auto text = readScriptFile(commandLine.scriptFile);
        if (!text) {
            std::cerr << "corvane-sim: " << text.error().message << '\n';
            return 2;
        }
        bool fromInput = commandLine.scriptFile == standardInputName;
        // A script that does not parse runs not even its first lines.
        auto parsed = parseScript(fromInput ? "standard input" : commandLine.scriptFile, text.value());
        if (!parsed) {
            std::cerr << parsed.error().message << '\n';
            return 2;
        }
        script = parsed.releaseValue();
    }
    // So does a text to type.
    std::unique_ptr<TextInput> text;
    if (commandLine.mode == CommandLine::Mode::Type) {
        auto opened = TextInput::open(commandLine.textFile);
        if (!opened) {
            std::cerr << "corvane-sim: " << opened.error().message << '\n';
            return 2;
        }
        text = opened.releaseValue();
    }

    auto device = prepareDeviceRoot(commandLine, std::cerr);
    if (!device) {
        std::cerr << "corvane-sim: " << device.error().message << '\n';
        return 2;
    }

    switch (commandLine.mode) {
    case CommandLine::Mode::Run:
        return runScript(script, device.value());
    case CommandLine::Mode::Keys:
        return listKeys(commandLine, device.value());
    case CommandLine::Mode::Demo:
        return runDemo(commandLine, device.value());
    case CommandLine::Mode::Interactive:
        return runInteractive(commandLine, device.value());
    case CommandLine::Mode::Type:
        return typeText(TypingOptions::from(commandLine), text->stream(), device.value());
    default:
        std::cerr << "corvane-sim: this command is not built yet\n";
        return 2;
    }
}

} // namespace

int runSimulatorCommand(const CommandLine& commandLine)
{
    // The window takes Ctrl-C as a request to close, as any window does.
    if (commandLine.mode != CommandLine::Mode::Interactive)
        Interruption::catchSignals();
    int status = carryOut(commandLine);
    // Whatever the command made of it, an interrupted one says so by its status.
    return Interruption::signal() ? Interruption::exitStatus() : status;
}
