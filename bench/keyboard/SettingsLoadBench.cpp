// The settings file is read on the keyboard's main thread when each app
// starts and at every change notification. Its readers accept only small
// files; this is the largest they take, shaped the way the property-list
// parser likes least: one dictionary with as many keys as the value cap
// allows, as long as the size cap allows, all alike but for their ends.
#include "bench/keyboard/BenchKeyboard.h"
#include "keyboard/Settings.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PreferencesFile.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <fstream>

namespace {

// Each key and its value count as two values, the root (and in XML the list's
// own element) as one more each.
constexpr std::size_t largestKeyCount = (PreferencesFile::limits.values - 2) / 2;

RefPtr<NSMutableDictionary> keysAlikeButForTheirEnds(std::size_t keyLength)
{
    auto settings = NSMutableDictionary::dictionary();
    for (std::size_t index = 0; index < largestKeyCount; ++index) {
        std::string key(keyLength, 'k');
        std::string number = std::to_string(index);
        key.replace(key.size() - number.size(), number.size(), number);
        settings->setObject(static_cast<int>(index), key);
    }
    return settings;
}

std::string largestAcceptedFile(PropertyList::Format format)
{
    std::string largest;
    for (std::size_t keyLength = 8;; ++keyLength) {
        auto bytes = PropertyList::serialize(*keysAlikeButForTheirEnds(keyLength), format);
        if (!bytes || bytes.value().size() > PreferencesFile::limits.fileSize)
            return largest;
        largest = bytes.releaseValue();
    }
}

void settingsLoad(benchmark::State& state, PropertyList::Format format)
{
    BenchKeyboard keyboard(BenchMode::Extension);
    std::string path = DeviceRoot::devicePath(settingsFilePath);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    std::string file = largestAcceptedFile(format);
    std::ofstream(path, std::ios::binary | std::ios::trunc) << file;
    if (PreferencesFile::read(path).state != PreferencesFile::State::Read) {
        state.SkipWithError("the readers refuse the file meant to be the largest they accept");
        return;
    }
    for (auto _ : state)
        loadSettings();
    state.counters["bytes"] = static_cast<double>(file.size());
    state.counters["keys"] = static_cast<double>(largestKeyCount);
}
BENCHMARK_CAPTURE(settingsLoad, XML, PropertyList::Format::XML)->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(settingsLoad, Binary, PropertyList::Format::Binary)->Unit(benchmark::kMicrosecond);

} // namespace
