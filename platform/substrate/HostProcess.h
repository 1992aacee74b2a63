#pragma once

#include <string>
#include <vector>

// What the injection loader matches filters against: the host's own bundle
// identifier, its executable's name and the bundle identifiers of the
// frameworks it uses (for example "com.apple.UIKit").
// The toolkit's framework, which every process that shows a keyboard uses.
inline constexpr const char* uikitFrameworkIdentifier = "com.apple.UIKit";

struct HostProcess {
    std::string bundleIdentifier;
    // Empty: the name this process runs under.
    std::string executableName;
    std::vector<std::string> frameworks;
};
