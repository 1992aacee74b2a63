#include "simulator/HostOptions.h"

std::vector<std::string> HostOptions::toArguments() const
{
    std::vector<std::string> arguments = { hostModeArgument, "--app", std::string(appWord(app)), "--device",
        deviceRoot, "--locale", locale, "--orientation", std::string(orientationWord(orientation)), "--clock",
        realClock ? "real" : "virtual" };
    if (hasFrameBuffer)
        arguments.push_back("--frame-buffer");
    if (!injectsLibraries)
        arguments.push_back("--no-injection");
    return arguments;
}

ErrorOr<HostOptions> HostOptions::fromArguments(const std::vector<std::string>& arguments)
{
    Error handMade { "this mode is started by corvane-sim itself, not by hand" };
    if (arguments.empty() || arguments[0] != hostModeArgument)
        return handMade;
    HostOptions options;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string& option = arguments[index];
        if (option == "--frame-buffer") {
            options.hasFrameBuffer = true;
            continue;
        }
        if (option == "--no-injection") {
            options.injectsLibraries = false;
            continue;
        }
        if (index + 1 == arguments.size())
            return handMade;
        const std::string& value = arguments[++index];
        if (option == "--app" && appFromWord(value))
            options.app = *appFromWord(value);
        else if (option == "--device")
            options.deviceRoot = value;
        else if (option == "--locale")
            options.locale = value;
        else if (option == "--orientation" && orientationFromWord(value))
            options.orientation = *orientationFromWord(value);
        else if (option == "--clock" && (value == "real" || value == "virtual"))
            options.realClock = value == "real";
        else
            return handMade;
    }
    return options;
}
