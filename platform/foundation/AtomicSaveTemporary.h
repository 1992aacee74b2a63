#pragma once

#include "platform/foundation/ErrorOr.h"
#include "platform/foundation/FileDescriptor.h"

#include <string>
#include <utility>

// The temporary file an atomic save writes before renaming it over the
// destination: ".<name>.<pid>.XXXXXX" in the destination's folder. Its
// writer holds an exclusive lock on it for as long as it lives, so a
// temporary nobody holds is one whose save was cut short (the process was
// killed before its rename); the next save to the same destination removes
// such leftovers. Private to the platform library.
class AtomicSaveTemporary {
public:
    // Removes the abandoned temporaries of earlier saves to `destination`,
    // then creates and locks a new one.
    static ErrorOr<AtomicSaveTemporary> create(const std::string& destination);

    const std::string& path() const { return m_path; }
    const std::string& folder() const { return m_folder; }
    FileDescriptor& file() { return m_file; }

    // Whether `name` (a folder entry) is a temporary of a save to a file
    // called `destinationName`.
    static bool isTemporaryOf(const std::string& name, const std::string& destinationName);

private:
    AtomicSaveTemporary(std::string path, std::string folder, FileDescriptor file)
        : m_path(std::move(path))
        , m_folder(std::move(folder))
        , m_file(std::move(file))
    {
    }

    std::string m_path;
    std::string m_folder;
    FileDescriptor m_file;
};
