#pragma once

#include "platform/foundation/ErrorOr.h"

#include <filesystem>
#include <string>
#include <vector>

// The folder a demo writes into. The demo keeps a list there of the files it
// wrote, each with a fingerprint of its contents, so that a later demo
// replaces exactly those files, and only while they are as it left them;
// everything else in the folder belongs to someone else.
class DemoFolder {
public:
    // The list's own name in the folder.
    static constexpr const char* listName = ".corvane-demo-files";

    // Takes the folder for a demo that will write files of these names: makes
    // it when it is not there, takes it as it is when it is empty, and when an
    // earlier demo wrote it, removes the files that demo wrote. Anything else
    // is refused with the reason and nothing is touched: a folder with files
    // but no list, a listed file that was changed, or a file of one of these
    // names that is not on the list.
    static ErrorOr<DemoFolder> claim(const std::filesystem::path& directory, std::vector<std::string> names);

    // Notes each named file that is there now with its fingerprint, whether
    // the demo finished or not, so that the next demo may replace it.
    ErrorOr<void> recordWrittenFiles() const;

    const std::filesystem::path& path() const { return m_directory; }

private:
    DemoFolder(std::filesystem::path directory, std::vector<std::string> names);
    ErrorOr<void> writeList(bool withFingerprints) const;

    std::filesystem::path m_directory;
    std::vector<std::string> m_names;
};
