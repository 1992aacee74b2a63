#include "tests/support/TemporaryDeviceRoot.h"

#include "platform/foundation/DeviceRoot.h"

#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <system_error>

namespace {

std::string temporaryFolder()
{
    const char* fromEnvironment = std::getenv("TMPDIR");
    return fromEnvironment && *fromEnvironment ? fromEnvironment : "/tmp";
}

} // namespace

TemporaryDeviceRoot::TemporaryDeviceRoot()
{
    std::string pattern = temporaryFolder() + "/corvane-device-XXXXXX";
    if (!::mkdtemp(pattern.data()))
        throw std::runtime_error("cannot create a temporary device root in " + temporaryFolder());
    m_path = pattern;
    activate();
}

TemporaryDeviceRoot::~TemporaryDeviceRoot()
{
    if (DeviceRoot::path() == m_path)
        DeviceRoot::clearOverride();
    // A test may have left read-only folders behind; make them removable first.
    std::error_code ignored;
    for (auto entry = std::filesystem::recursive_directory_iterator(m_path, ignored);
         entry != std::filesystem::recursive_directory_iterator(); entry.increment(ignored)) {
        if (entry->is_directory(ignored) && !entry->is_symlink(ignored))
            std::filesystem::permissions(entry->path(), std::filesystem::perms::owner_all,
                std::filesystem::perm_options::add, ignored);
    }
    std::filesystem::remove_all(m_path, ignored);
}

void TemporaryDeviceRoot::activate() const
{
    DeviceRoot::setOverride(m_path);
}

std::string TemporaryDeviceRoot::preparedPath(const std::string& deviceAbsolutePath) const
{
    std::string path = DeviceRoot::devicePathIn(m_path, deviceAbsolutePath);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
}
