#include "simulator/DeviceSelection.h"

#include "contracts/CorvaneContract.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/preferences/SettingsHost.h"
#include "platform/substrate/InjectionLoader.h"
#include "simulator/ScriptText.h"

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <ostream>
#include <sys/wait.h>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

struct ChosenRoot {
    std::string path;
    // Where the choice came from, for messages.
    std::string source;
};

ChosenRoot chooseRoot(const CommandLine& commandLine)
{
    ChosenRoot chosen;
    if (commandLine.deviceRoot) {
        chosen = { *commandLine.deviceRoot, "--device" };
    } else if (const char* environment = std::getenv("CORVANE_DEVICE_ROOT"); environment && *environment) {
        chosen = { environment, "CORVANE_DEVICE_ROOT" };
    } else {
        chosen = { CORVANE_BUILD_DEVICE_ROOT, "the build's device folder" };
    }
    std::error_code error;
    chosen.path = fs::absolute(chosen.path, error).lexically_normal().string();
    if (chosen.path.size() > 1 && chosen.path.back() == '/')
        chosen.path.pop_back();
    return chosen;
}

std::vector<std::string> missingDeliverables(const std::string& root)
{
    std::vector<std::string> missing;
    for (const std::string& path : deliverablePaths()) {
        std::error_code error;
        if (!fs::exists(DeviceRoot::devicePathIn(root, path), error))
            missing.push_back(path);
    }
    return missing;
}

std::string howToMakeOne(const std::string& root)
{
    return "make the package with cmake --build BUILD --target package, and corvane-sim lays out an empty "
           "folder from it; or lay out this one with cmake --install BUILD --prefix "
        + escapeControlCharacters(root);
}

// dpkg-deb -x, as a person would unpack the add-on into the device.
ErrorOr<void> unpackPackage(const std::string& package, const std::string& root)
{
    pid_t child = ::fork();
    if (child < 0)
        return Error { std::string("cannot start dpkg-deb: ") + std::strerror(errno) };
    if (child == 0) {
        ::execlp("dpkg-deb", "dpkg-deb", "-x", package.c_str(), root.c_str(), static_cast<char*>(nullptr));
        ::_exit(127);
    }
    int status = 0;
    while (::waitpid(child, &status, 0) < 0 && errno == EINTR) { }
    if (WIFEXITED(status) && WEXITSTATUS(status) == 127)
        return Error { "cannot run dpkg-deb to unpack " + package + " (it comes with dpkg)" };
    if (!WIFEXITED(status) || WEXITSTATUS(status) != 0)
        return Error { "dpkg-deb could not unpack " + package };
    return {};
}

ErrorOr<void> layOutFromPackage(const std::string& root, std::ostream& progress)
{
    std::string package = CORVANE_PACKAGE_FILE;
    std::error_code error;
    if (!fs::is_regular_file(package, error))
        return Error { "the device root " + escapeControlCharacters(root)
            + " is empty, and there is no package to lay it out from (" + package + "); "
            + howToMakeOne(root) };
    progress << "corvane-sim: laying out the empty device root " << escapeControlCharacters(root) << " from "
             << package << std::endl;
    TRY(unpackPackage(package, root));
    if (!missingDeliverables(root).empty())
        return Error { "the package " + package + " does not hold Corvane's files; " + howToMakeOne(root) };
    return {};
}

} // namespace

std::vector<std::string> deliverablePaths()
{
    return {
        std::string(injectedLibrariesFolder) + "/" + contract::extensionLibraryName,
        std::string(SettingsHost::bundlesFolder) + "/" + contract::paneBundleName + "/Info.plist",
        std::string(SettingsHost::entriesFolder) + "/" + contract::paneEntryName,
    };
}

std::vector<std::string> deliverableFolders()
{
    return { injectedLibrariesFolder, SettingsHost::bundlesFolder, SettingsHost::entriesFolder };
}

ErrorOr<std::string> prepareDeviceRoot(const CommandLine& commandLine, std::ostream& progress)
{
    ChosenRoot chosen = chooseRoot(commandLine);
    std::string root = escapeControlCharacters(chosen.path);
    std::error_code error;
    if (!fs::is_directory(chosen.path, error))
        return Error { "the device root " + root + " (from " + chosen.source
            + ") is not a folder; build the project, which lays out its device folder, or "
            + howToMakeOne(chosen.path) };

    std::vector<std::string> missing = missingDeliverables(chosen.path);
    if (missing.empty())
        return chosen.path;
    if (fs::is_empty(chosen.path, error)) {
        TRY(layOutFromPackage(chosen.path, progress));
        return chosen.path;
    }
    std::string list;
    for (const std::string& path : missing)
        list += (list.empty() ? "" : ", ") + path;
    return Error { "the device root " + root + " (from " + chosen.source + ") lacks " + list
        + ", so Corvane cannot run there; corvane-sim lays out only an empty folder: "
        + howToMakeOne(chosen.path) };
}

std::string currentExecutable()
{
    std::error_code error;
    fs::path path = fs::read_symlink("/proc/self/exe", error);
    return error ? std::string("/proc/self/exe") : path.string();
}
