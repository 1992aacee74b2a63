#include "simulator/KeyListing.h"

#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/SettingsFileGuard.h"

#include <filesystem>
#include <iostream>

namespace {

std::vector<ScriptCommand> listingCommands(const CommandLine& commandLine)
{
    std::vector<ScriptCommand> commands;
    if (commandLine.typeMode) {
        ScriptCommand settings = ScriptCommand::of(ScriptCommandKind::Settings);
        settings.typeMode = commandLine.typeMode;
        commands.push_back(settings);
    }
    ScriptCommand keyboard = ScriptCommand::of(ScriptCommandKind::Keyboard);
    keyboard.keyboardType = commandLine.keyboardType;
    keyboard.layout = commandLine.layout;
    commands.push_back(keyboard);
    if (commandLine.keyplane)
        commands.push_back(ScriptCommand::of(ScriptCommandKind::Keyplane, *commandLine.keyplane));
    commands.push_back(ScriptCommand::of(ScriptCommandKind::ListKeys));
    if (commandLine.pngFile) {
        commands.push_back(ScriptCommand::of(
            ScriptCommandKind::KeyboardSnapshot, std::filesystem::absolute(*commandLine.pngFile).string()));
    }
    return commands;
}

} // namespace

int listKeys(const CommandLine& commandLine, const std::string& deviceRoot)
{
    // --type-mode changes the settings file only for this listing.
    SettingsFileGuard settingsFile(deviceRoot, commandLine.typeMode.has_value());

    Driver::Settings settings;
    settings.executable = currentExecutable();
    settings.deviceRoot = deviceRoot;
    settings.locale = commandLine.locale;
    settings.orientation = commandLine.orientation;
    Driver driver(settings);
    for (const ScriptCommand& command : listingCommands(commandLine)) {
        HostReply reply = driver.execute(command);
        for (const std::string& line : reply.output)
            std::cout << line << '\n';
        if (reply.status != HostReply::Status::Ok) {
            std::cerr << "corvane-sim: " << reply.message << '\n';
            return 2;
        }
    }
    return 0;
}
