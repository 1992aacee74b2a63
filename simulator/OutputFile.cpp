#include "simulator/OutputFile.h"

#include "simulator/ScriptText.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace {

struct Temporary {
    std::string path;
    int descriptor;
};

// ".NAME.XXXXXXXX" beside the destination, made with O_EXCL so that nothing
// planted at that name is opened.
ErrorOr<Temporary> createTemporaryBeside(const std::string& path)
{
    std::filesystem::path destination(path);
    std::string prefix = (destination.parent_path() / ("." + destination.filename().string() + ".")).string();
    std::random_device entropy;
    constexpr char letters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    int error = EEXIST;
    for (int attempt = 0; attempt < 100 && error == EEXIST; ++attempt) {
        std::string name = prefix;
        for (int letter = 0; letter < 8; ++letter)
            name += letters[entropy() % (sizeof letters - 1)];
        int descriptor = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (descriptor >= 0)
            return Temporary { std::move(name), descriptor };
        error = errno;
    }
    return Error { "cannot write " + escapeControlCharacters(path) + ": " + std::strerror(error) };
}

} // namespace

OutputFile::OutputFile(std::string path, std::string temporaryPath, int descriptor)
    : m_path(std::move(path))
    , m_temporaryPath(std::move(temporaryPath))
    , m_descriptor(descriptor)
{
}

OutputFile::OutputFile(OutputFile&& other) noexcept
    : m_path(std::move(other.m_path))
    , m_temporaryPath(std::exchange(other.m_temporaryPath, std::string()))
    , m_descriptor(std::exchange(other.m_descriptor, -1))
    , m_writeFailure(std::move(other.m_writeFailure))
{
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::discard()
{
    if (m_descriptor >= 0)
        ::close(m_descriptor);
    m_descriptor = -1;
    if (!m_temporaryPath.empty())
        ::unlink(m_temporaryPath.c_str());
    m_temporaryPath.clear();
}

Error OutputFile::failure(std::string_view what, int error) const
{
    return Error { std::string(what) + " " + escapeControlCharacters(m_path) + ": " + std::strerror(error) };
}

ErrorOr<OutputFile> OutputFile::create(const std::string& path)
{
    Temporary temporary = TRY(createTemporaryBeside(path));
    // A new file has 0666 less the umask, as open() made it; a plain file it
    // replaces keeps its own permissions (the person may have chosen them),
    // without set-id or sticky bits, and never those of a link's target.
    struct stat existing { };
    if (::lstat(path.c_str(), &existing) == 0 && S_ISREG(existing.st_mode))
        ::fchmod(temporary.descriptor, existing.st_mode & 0777);
    return OutputFile(path, std::move(temporary.path), temporary.descriptor);
}

ErrorOr<void> OutputFile::write(const std::string& path, std::string_view contents)
{
    OutputFile file = TRY(create(path));
    TRY(file.append(contents));
    return file.commit();
}

ErrorOr<void> OutputFile::append(std::string_view text)
{
    if (m_writeFailure)
        return *m_writeFailure;
    if (m_descriptor < 0)
        return Error { "cannot write " + escapeControlCharacters(m_path) + ": it is closed" };
    while (!text.empty()) {
        ssize_t written = ::write(m_descriptor, text.data(), text.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_writeFailure = failure("cannot write", written < 0 ? errno : ENOSPC);
            return *m_writeFailure;
        }
        text.remove_prefix(static_cast<std::size_t>(written));
    }
    return {};
}

ErrorOr<void> OutputFile::commit()
{
    if (m_writeFailure) {
        discard();
        return *m_writeFailure;
    }
    if (m_descriptor < 0)
        return Error { "cannot write " + escapeControlCharacters(m_path) + ": it is closed" };
    int descriptor = std::exchange(m_descriptor, -1);
    if (::close(descriptor) != 0) {
        Error closing = failure("cannot write", errno);
        discard();
        return closing;
    }
    if (::rename(m_temporaryPath.c_str(), m_path.c_str()) != 0) {
        Error renaming = failure("cannot replace", errno);
        discard();
        return renaming;
    }
    m_temporaryPath.clear();
    return {};
}
