// A library for the loader's tests: its load-time initialiser appends the
// library's own file name to "/tmp/injection.log" in the device root.
#include "platform/foundation/DeviceRoot.h"

#include <dlfcn.h>
#include <filesystem>
#include <fstream>

namespace {

__attribute__((constructor)) void recordLoad()
{
    Dl_info info {};
    if (!::dladdr(reinterpret_cast<void*>(&recordLoad), &info) || !info.dli_fname)
        return;
    std::string log = DeviceRoot::devicePath("/tmp/injection.log");
    std::filesystem::create_directories(std::filesystem::path(log).parent_path());
    std::ofstream(log, std::ios::app) << std::filesystem::path(info.dli_fname).filename().string() << "\n";
}

} // namespace
