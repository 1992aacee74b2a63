#pragma once

#include "platform/foundation/ErrorOr.h"

#include <optional>
#include <string>
#include <string_view>

// A file corvane-sim writes for the person running it: a screenshot, a
// transcript, a list of skipped lines. It is written under a temporary name
// beside its destination and renamed into place once complete, so a link at
// the destination is replaced rather than followed, a pipe there cannot
// block the run, and a run cut short leaves the old file, never half a new
// one. The new file keeps the permissions of a plain file it replaces (never
// set-id bits); otherwise it gets those of any new file (0666 less the umask).
class OutputFile {
public:
    // Starts writing; an error says why the destination cannot be written.
    static ErrorOr<OutputFile> create(const std::string& path);
    // Writes the whole contents at once.
    static ErrorOr<void> write(const std::string& path, std::string_view contents);

    OutputFile(OutputFile&& other) noexcept;
    OutputFile& operator=(OutputFile&&) = delete;
    // An output never committed is dropped: the destination stays as it was.
    ~OutputFile();

    // A failed append is reported here and again by commit.
    ErrorOr<void> append(std::string_view text);
    // Renames the finished file into place.
    ErrorOr<void> commit();

private:
    OutputFile(std::string path, std::string temporaryPath, int descriptor);
    Error failure(std::string_view what, int error) const;
    void discard();

    std::string m_path;
    std::string m_temporaryPath;
    int m_descriptor;
    std::optional<Error> m_writeFailure;
};
