#include "platform/substrate/InjectionLoader.h"

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSLog.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Class.h"

#include <algorithm>
#include <cerrno>
#include <dlfcn.h>
#include <filesystem>
#include <set>

namespace {

// Libraries this process loaded or failed to load, by their real path; each
// is tried once, and a loaded one stays loaded.
std::set<std::string>& attemptedLibraries()
{
    static std::set<std::string> attempted;
    return attempted;
}

bool listHolds(const Value& list, auto&& isMatch)
{
    NSMutableArray* entries = list.array();
    if (!entries)
        return false;
    return std::any_of(entries->begin(), entries->end(),
        [&](const Value& entry) { return entry.isString() && isMatch(entry.string().utf8()); });
}

bool filterMatches(NSMutableDictionary& filter, const HostProcess& host)
{
    std::string executable
        = host.executableName.empty() ? program_invocation_short_name : host.executableName;
    std::vector<bool> conditions;
    if (Value bundles = filter.objectForKey("Bundles"); !bundles.isNil()) {
        conditions.push_back(listHolds(bundles, [&](const std::string& bundle) {
            return bundle == host.bundleIdentifier
                || std::find(host.frameworks.begin(), host.frameworks.end(), bundle) != host.frameworks.end();
        }));
    }
    if (Value executables = filter.objectForKey("Executables"); !executables.isNil())
        conditions.push_back(
            listHolds(executables, [&](const std::string& name) { return name == executable; }));
    if (Value classes = filter.objectForKey("Classes"); !classes.isNil())
        conditions.push_back(
            listHolds(classes, [](const std::string& name) { return objc_getClass(name) != nullptr; }));
    if (conditions.empty())
        return false;
    bool anyMode = filter.objectForKey("Mode").string().utf8() == "Any";
    return anyMode ? std::find(conditions.begin(), conditions.end(), true) != conditions.end()
                   : std::find(conditions.begin(), conditions.end(), false) == conditions.end();
}

// Whether the library's filter asks for this host; an unreadable filter is reported.
bool isWantedBy(const std::filesystem::path& library, const HostProcess& host)
{
    std::filesystem::path filterPath = library;
    filterPath.replace_extension(".plist");
    std::error_code error;
    if (!std::filesystem::exists(filterPath, error))
        return false;
    auto contents = PropertyList::readFile(filterPath.string());
    NSMutableDictionary* filter = contents ? contents.value().dictionary() : nullptr;
    NSMutableDictionary* rules = filter ? filter->objectForKey("Filter").dictionary() : nullptr;
    if (!rules) {
        NSLog("Injection: skipping %@: its filter %@ is unreadable",
            { NSString(library.string()), NSString(filterPath.string()) });
        return false;
    }
    return filterMatches(*rules, host);
}

std::vector<std::filesystem::path> librariesInNameOrder()
{
    std::vector<std::filesystem::path> libraries;
    std::error_code error;
    std::filesystem::directory_iterator listing(DeviceRoot::devicePath(injectedLibrariesFolder), error);
    for (auto entry = listing; !error && entry != std::filesystem::directory_iterator();
         entry.increment(error)) {
        const std::filesystem::path& path = entry->path();
        if (path.extension() == ".dylib" && path.filename().string().front() != '.'
            && entry->is_regular_file(error))
            libraries.push_back(path);
    }
    std::sort(libraries.begin(), libraries.end());
    return libraries;
}

} // namespace

InjectionReport loadInjectedLibraries(const HostProcess& host)
{
    InjectionReport report;
    for (const auto& library : librariesInNameOrder()) {
        std::error_code error;
        std::string realPath = std::filesystem::canonical(library, error).string();
        if (error || attemptedLibraries().count(realPath) || !isWantedBy(library, host))
            continue;
        attemptedLibraries().insert(realPath);
        // Never closed: the library's replacements stay installed for the process.
        if (!::dlopen(realPath.c_str(), RTLD_NOW)) {
            const char* reason = ::dlerror();
            NSLog("Injection: cannot load %@: %@",
                { NSString(library.string()), NSString(reason ? reason : "") });
            report.failed.push_back(library.string());
            continue;
        }
        report.loaded.push_back(library.string());
    }
    return report;
}
