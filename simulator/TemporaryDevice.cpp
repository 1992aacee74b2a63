#include "simulator/TemporaryDevice.h"

#include "platform/foundation/DeviceRoot.h"
#include "simulator/DeviceSelection.h"
#include "simulator/ScriptText.h"

#include <cstdlib>
#include <filesystem>
#include <utility>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Copies folders, files and links; anything else (a socket of a running
// process, a pipe) belongs to someone else and stays where it is.
void copyTree(const fs::path& from, const fs::path& to, std::error_code& error)
{
    fs::create_directories(to, error);
    for (auto entry = fs::recursive_directory_iterator(from, error);
         !error && entry != fs::recursive_directory_iterator(); entry.increment(error)) {
        // Lexically: a link is copied as the link it is, wherever it points.
        fs::path target = to / entry->path().lexically_relative(from);
        auto status = entry->symlink_status(error);
        if (error)
            return;
        if (fs::is_symlink(status))
            fs::copy_symlink(entry->path(), target, error);
        else if (fs::is_directory(status))
            fs::create_directories(target, error);
        else if (fs::is_regular_file(status))
            fs::copy_file(entry->path(), target, fs::copy_options::overwrite_existing, error);
        if (error)
            return;
    }
}

} // namespace

TemporaryDevice::TemporaryDevice(std::string root)
    : m_root(std::move(root))
{
}

TemporaryDevice::TemporaryDevice(TemporaryDevice&& other) noexcept
    : m_root(std::exchange(other.m_root, std::string()))
{
}

TemporaryDevice::~TemporaryDevice()
{
    if (m_root.empty())
        return;
    std::error_code ignored;
    fs::remove_all(m_root, ignored);
}

ErrorOr<TemporaryDevice> TemporaryDevice::copyOf(const std::string& deviceRoot)
{
    std::error_code failure;
    std::string pattern = (fs::temp_directory_path(failure) / "corvane-device-XXXXXX").string();
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    if (!::mkdtemp(name.data()))
        return Error { "cannot make a temporary folder for the device" };
    TemporaryDevice device(name.data());
    for (const std::string& folder : deliverableFolders()) {
        fs::path from = DeviceRoot::devicePathIn(deviceRoot, folder);
        if (!fs::is_directory(from, failure))
            continue;
        copyTree(from, DeviceRoot::devicePathIn(device.root(), folder), failure);
        if (failure)
            return Error { "cannot copy " + escapeControlCharacters(from.string())
                + " of the device root: " + failure.message() };
    }
    return device;
}
