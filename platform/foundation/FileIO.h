#pragma once

#include "platform/PlatformExport.h"
#include "platform/foundation/ErrorOr.h"

#include <cstddef>
#include <string>
#include <sys/types.h>

// File reading and writing for the platform's own files (property lists,
// bundles), and for the simulator's scripts: a file anyone could have put
// there never blocks or exhausts the reader.
class PLATFORM_EXPORT FileIO {
public:
    FileIO() = delete;

    // Reads a whole regular file of at most maxBytes. A folder, a device,
    // a pipe or a file that is too large is an error, never a hang.
    static ErrorOr<std::string> readRegularFile(const std::string& path, std::size_t maxBytes);

    // Writes a temporary file in the destination's folder, flushes it to the
    // disk and renames it over the destination, so that a reader — or a crash
    // at any moment — sees the old contents or the new, never a mix. On
    // failure the destination is untouched and no temporary file remains.
    static ErrorOr<void> writeFileAtomically(const std::string& path, const std::string& contents);

    // The mode of folders every user of the device may read and only their
    // owner may change, such as the preferences folder.
    static constexpr mode_t sharedFolderMode = 0755;

    // Makes the folder and each missing folder above it with exactly `mode`,
    // whatever the umask; folders that are there already are left alone.
    static ErrorOr<void> makeFolders(const std::string& path, mode_t mode);

    // Truncates and writes the destination in place.
    static ErrorOr<void> writeFileInPlace(const std::string& path, const std::string& contents);
};
