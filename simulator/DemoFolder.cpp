#include "simulator/DemoFolder.h"

#include "platform/foundation/FileIO.h"
#include "simulator/ScriptText.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <map>
#include <optional>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr const char* listHeader
    = "# corvane-sim demo: the files it wrote in this folder. A later demo replaces\n"
      "# them, and only while they are as it left them.\n";
// No demo file comes near this; a larger file on the list was not the demo's.
constexpr std::size_t largestDemoFile = 64 * 1024 * 1024;
// Written for a file the demo was about to write, before it wrote it.
constexpr const char* notYetWritten = "-";

std::string shown(const fs::path& path)
{
    return escapeControlCharacters(path.string());
}

// FNV-1a over the contents: it tells a changed file from the one the demo
// wrote, which is all it is for.
std::optional<std::string> fingerprintOf(const fs::path& path)
{
    auto contents = FileIO::readRegularFile(path.string(), largestDemoFile);
    if (!contents)
        return std::nullopt;
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char byte : contents.value()) {
        hash ^= byte;
        hash *= 1099511628211ull;
    }
    char text[32];
    std::snprintf(text, sizeof text, "%zu:%016" PRIx64, contents.value().size(), hash);
    return std::string(text);
}

// The list an earlier demo left: name to fingerprint ("-" for a file it was
// about to write when it stopped).
ErrorOr<std::map<std::string, std::string>> readList(const fs::path& directory)
{
    fs::path listPath = directory / DemoFolder::listName;
    auto text = FileIO::readRegularFile(listPath.string(), 1024 * 1024);
    std::string notOurs = shown(listPath) + " is not a list corvane-sim demo wrote";
    if (!text || !text.value().starts_with(listHeader))
        return Error { notOurs + "; give --out a new or empty folder" };
    std::map<std::string, std::string> files;
    std::istringstream lines(text.value().substr(std::string_view(listHeader).size()));
    std::string line;
    while (std::getline(lines, line)) {
        auto tab = line.find('\t');
        std::string name = line.substr(0, tab);
        if (tab == std::string::npos || name.empty() || name == "." || name == ".."
            || name.find('/') != std::string::npos || name == DemoFolder::listName)
            return Error { notOurs + "; give --out a new or empty folder" };
        files[name] = line.substr(tab + 1);
    }
    return files;
}

std::vector<std::string> entriesOf(const fs::path& directory, std::error_code& error)
{
    std::vector<std::string> names;
    for (auto entry = fs::directory_iterator(directory, error); !error && entry != fs::directory_iterator();
         entry.increment(error))
        names.push_back(entry->path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

std::string someOf(const std::vector<std::string>& names)
{
    std::string list;
    for (std::size_t index = 0; index < names.size() && index < 3; ++index)
        list += (index ? ", " : "") + escapeControlCharacters(names[index]);
    return names.size() > 3 ? list + " and " + std::to_string(names.size() - 3) + " more" : list;
}

// Each listed file that is there must be a plain file the demo left as it
// was, and no file the new demo writes may be there unlisted.
ErrorOr<void> checkEarlierDemo(const fs::path& directory, const std::map<std::string, std::string>& listed,
    const std::vector<std::string>& names)
{
    std::string advice = "; move it away, or give --out a new or empty folder";
    for (const auto& [name, fingerprint] : listed) {
        fs::path file = directory / name;
        std::error_code error;
        auto status = fs::symlink_status(file, error);
        if (status.type() == fs::file_type::not_found)
            continue;
        if (!fs::is_regular_file(status))
            return Error { shown(file) + " is not a file the demo wrote" + advice };
        if (fingerprint != notYetWritten && fingerprintOf(file) != fingerprint)
            return Error { shown(file) + " was changed since the demo wrote it" + advice };
    }
    for (const std::string& name : names) {
        std::error_code error;
        if (!listed.contains(name) && fs::exists(fs::symlink_status(directory / name, error)))
            return Error { shown(directory / name) + " was not written by a demo" + advice };
    }
    return {};
}

} // namespace

DemoFolder::DemoFolder(fs::path directory, std::vector<std::string> names)
    : m_directory(std::move(directory))
    , m_names(std::move(names))
{
}

ErrorOr<DemoFolder> DemoFolder::claim(const fs::path& directory, std::vector<std::string> names)
{
    std::error_code error;
    fs::create_directories(directory, error);
    if (error || !fs::is_directory(directory))
        return Error { "cannot make the output folder " + shown(directory) + ": "
            + (error ? error.message() : std::string("something else of that name is there")) };
    std::vector<std::string> present = entriesOf(directory, error);
    if (error)
        return Error { "cannot read the output folder " + shown(directory) + ": " + error.message() };

    DemoFolder folder(directory, std::move(names));
    if (!present.empty()) {
        if (!std::binary_search(present.begin(), present.end(), std::string(listName)))
            return Error { "the output folder " + shown(directory) + " already holds " + someOf(present)
                + ", which no demo wrote; give --out a new or empty folder, so that nothing of yours is "
                  "replaced" };
        auto listed = TRY(readList(directory));
        TRY(checkEarlierDemo(directory, listed, folder.m_names));
        for (const auto& entry : listed) {
            fs::remove(directory / entry.first, error);
            if (error)
                return Error { "cannot remove the earlier demo's " + shown(directory / entry.first) + ": "
                    + error.message() };
        }
    }
    // Listed before they are written, so that a demo that is stopped half-way
    // leaves a folder the next demo may still take.
    TRY(folder.writeList(false));
    return folder;
}

ErrorOr<void> DemoFolder::recordWrittenFiles() const
{
    return writeList(true);
}

ErrorOr<void> DemoFolder::writeList(bool withFingerprints) const
{
    std::string text = listHeader;
    for (const std::string& name : m_names) {
        std::optional<std::string> fingerprint
            = withFingerprints ? fingerprintOf(m_directory / name) : std::nullopt;
        if (withFingerprints && !fingerprint)
            continue;
        text += name + "\t" + fingerprint.value_or(notYetWritten) + "\n";
    }
    auto written = FileIO::writeFileAtomically((m_directory / listName).string(), text);
    if (!written)
        return Error { "cannot write " + shown(m_directory / listName) + ": " + written.error().message };
    return {};
}
