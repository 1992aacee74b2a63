#include "simulator/HostOptions.h"

std::vector<std::string> HostOptions::toArguments() const
{
    std::vector<std::string> arguments = { hostModeArgument, "--app", app, "--device", deviceRoot, "--locale",
        locale, "--orientation", orientation, "--clock", realClock ? "real" : "virtual" };
    if (hasFrameBuffer)
        arguments.push_back("--frame-buffer");
    return arguments;
}

std::optional<HostOptions> HostOptions::fromArguments(const std::vector<std::string>& arguments)
{
    if (arguments.empty() || arguments[0] != hostModeArgument)
        return std::nullopt;
    HostOptions options;
    for (std::size_t index = 1; index < arguments.size(); ++index) {
        const std::string& option = arguments[index];
        if (option == "--frame-buffer") {
            options.hasFrameBuffer = true;
            continue;
        }
        if (index + 1 == arguments.size())
            return std::nullopt;
        const std::string& value = arguments[++index];
        if (option == "--app")
            options.app = value;
        else if (option == "--device")
            options.deviceRoot = value;
        else if (option == "--locale")
            options.locale = value;
        else if (option == "--orientation")
            options.orientation = value;
        else if (option == "--clock" && (value == "real" || value == "virtual"))
            options.realClock = value == "real";
        else
            return std::nullopt;
    }
    return options;
}
