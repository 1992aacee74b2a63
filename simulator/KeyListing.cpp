#include "simulator/KeyListing.h"

#include "contracts/CorvaneContract.h"
#include "platform/foundation/DeviceRoot.h"
#include "simulator/DeviceSelection.h"
#include "simulator/Driver.h"
#include "simulator/ScriptText.h"
#include "simulator/TemporaryDevice.h"

#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace {

std::vector<ScriptCommand> listingCommands(const CommandLine& commandLine)
{
    std::vector<ScriptCommand> commands;
    if (commandLine.typeMode)
        commands.push_back(command::Settings { { { contract::typeKey, *commandLine.typeMode } } });
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

// The listing only looks, so it runs on a copy of the device: booting an app
// makes folders and sockets in the root it runs on, and the person's root
// must stay as it was. The copy takes the device's settings file along
// unless --type-mode chose the settings for the listing.
ErrorOr<TemporaryDevice> lookingCopyOf(const CommandLine& commandLine, const std::string& deviceRoot)
{
    TemporaryDevice copy = TRY(TemporaryDevice::copyOf(deviceRoot));
    if (commandLine.typeMode)
        return copy;
    fs::path settings = DeviceRoot::devicePathIn(deviceRoot, contract::settingsFilePath);
    std::error_code error;
    if (fs::is_regular_file(settings, error)) {
        fs::path copied = DeviceRoot::devicePathIn(copy.root(), contract::settingsFilePath);
        fs::create_directories(copied.parent_path(), error);
        if (!error)
            fs::copy_file(settings, copied, error);
        if (error)
            return Error { "cannot copy the settings file " + escapeControlCharacters(settings.string())
                + ": " + error.message() };
    }
    return copy;
}

} // namespace

int listKeys(const CommandLine& commandLine, const std::string& deviceRoot)
{
    auto copy = lookingCopyOf(commandLine, deviceRoot);
    if (!copy) {
        std::cerr << "corvane-sim: " << copy.error().message << '\n';
        return 2;
    }
    return list(commandLine, copy.value().root());
}
