#pragma once

#include "platform/foundation/ErrorOr.h"
#include "simulator/AppKind.h"

#include <string>
#include <vector>

// Which app a host process runs and how its device starts: what the driver
// passes on the host's command line.
struct HostOptions {
    AppKind app { AppKind::Test };
    std::string deviceRoot;
    std::string locale { "en_US" };
    ScreenOrientation orientation { ScreenOrientation::Portrait };
    // Scripts run on a virtual clock that only `wait` advances; a person's
    // window runs on the real one.
    bool realClock { false };
    // The host renders into a shared frame buffer on descriptor 4.
    bool hasFrameBuffer { false };
    // Off: the platform keyboard alone, as on a device without the add-on;
    // the injection loader is not run.
    bool injectsLibraries { true };

    // The arguments after the program's name, starting with the hidden mode word.
    std::vector<std::string> toArguments() const;
    // Reads what toArguments wrote (without the program's name).
    static ErrorOr<HostOptions> fromArguments(const std::vector<std::string>& arguments);
};

// The hidden first argument that makes corvane-sim a host process.
inline constexpr const char* hostModeArgument = "__host";
