#pragma once

#include "platform/PlatformExport.h"
#include "platform/substrate/HostProcess.h"

#include <string>
#include <vector>

// Where in the device root the injection framework finds its libraries.
inline constexpr const char* injectedLibrariesFolder = "/Library/MobileSubstrate/DynamicLibraries";

// What one pass of the loader did, by library path.
struct InjectionReport {
    std::vector<std::string> loaded;
    std::vector<std::string> failed;
};

// Loads into this process every "*.dylib" of the device root's
// "/Library/MobileSubstrate/DynamicLibraries" whose filter — the property
// list of the same name with ".plist" — matches the host, in name order:
//   { Filter = { Bundles = (...); Executables = (...); Classes = (...); Mode = "Any"; }; }
// Each list present must have an entry that matches (the host's bundle or
// one of its frameworks, its executable name, a class the runtime knows);
// with Mode "Any", one matching list is enough. A library without a usable
// filter is not loaded. Each library is loaded at most once per process, so
// its load-time initialiser runs once; one that fails to load is reported on
// standard error and skipped (and not tried again).
PLATFORM_EXPORT InjectionReport loadInjectedLibraries(const HostProcess& host);
