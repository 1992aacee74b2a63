#include "simulator/KeyListing.h"

#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/TemporaryDevice.h"

#include <filesystem>
#include <iostream>

namespace {

std::vector<ScriptCommand> listingCommands(const CommandLine& commandLine)
{
    std::vector<ScriptCommand> commands;
    if (commandLine.typeMode)
        commands.push_back(command::Settings { commandLine.typeMode, std::nullopt });
    // Without --layout the keyboard takes the locale's, as in any app.
    commands.push_back(command::Keyboard { commandLine.keyboardType, commandLine.layout });
    if (commandLine.keyplane)
        commands.push_back(command::Keyplane { *commandLine.keyplane });
    commands.push_back(command::ListKeys {});
    if (commandLine.pngFile)
        commands.push_back(command::KeyboardSnapshot { *commandLine.pngFile });
    return commands;
}

int list(const CommandLine& commandLine, const std::string& deviceRoot)
{
    Driver::Settings settings;
    settings.executable = currentExecutable();
    settings.deviceRoot = deviceRoot;
    settings.locale = commandLine.locale;
    settings.orientation = commandLine.orientation;
    Driver driver(settings);
    for (const ScriptCommand& command : listingCommands(commandLine)) {
        CommandResult result = driver.execute(command);
        if (!result) {
            std::cerr << "corvane-sim: " << result.error().message << '\n';
            return 2;
        }
        for (const std::string& line : result.value().output)
            std::cout << line << '\n';
        if (!std::cout.flush()) {
            std::cerr << "corvane-sim: cannot write the listing\n";
            return 2;
        }
    }
    return 0;
}

} // namespace

int listKeys(const CommandLine& commandLine, const std::string& deviceRoot)
{
    if (!commandLine.typeMode)
        return list(commandLine, deviceRoot);
    // --type-mode changes the settings for the listing only: it runs on a
    // copy of the device, so the device's own settings file is neither read
    // nor written, whatever it is.
    auto copy = TemporaryDevice::copyOf(deviceRoot);
    if (!copy) {
        std::cerr << "corvane-sim: " << copy.error().message << '\n';
        return 2;
    }
    return list(commandLine, copy.value().root());
}
