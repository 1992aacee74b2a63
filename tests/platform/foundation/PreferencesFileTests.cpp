#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/PreferencesFile.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReadySignal.h"

#include <csignal>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>

namespace {

std::string preferencesPath()
{
    std::string path = DeviceRoot::devicePath("/var/mobile/Library/Preferences/com.example.settings.plist");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

RefPtr<NSMutableDictionary> dictionaryWithKeys(int keys)
{
    auto dictionary = NSMutableDictionary::dictionary();
    for (int key = 0; key < keys; ++key)
        dictionary->setObject(key, "k" + std::to_string(key));
    return dictionary;
}

void writeDictionary(const std::string& path, const NSMutableDictionary& dictionary)
{
    ASSERT_TRUE(static_cast<bool>(dictionary.writeToFile(path, true)));
}

// Sets one key on what the file holds now.
PreferencesFile::Change setting(std::string key, Value value)
{
    return [key, value](const PreferencesFile::Contents& found) {
        found.dictionary->setObject(value, key);
        return found.dictionary;
    };
}

TEST(PreferencesFile, ReadTellsAnAbsentFileFromOneItRefuses)
{
    std::string path = preferencesPath();
    PreferencesFile::Contents absent = PreferencesFile::read(path);
    EXPECT_EQ(absent.state, PreferencesFile::State::Absent);
    ASSERT_TRUE(absent.dictionary);
    EXPECT_EQ(absent.dictionary->count(), 0u);
    EXPECT_TRUE(absent.problem.empty());

    writeDictionary(path, *dictionaryWithKeys(2));
    PreferencesFile::Contents read = PreferencesFile::read(path);
    EXPECT_EQ(read.state, PreferencesFile::State::Read);
    EXPECT_EQ(read.dictionary->objectForKey("k1"), Value(1));

    writeBytes(path, "<plist><dict><key>type</key>");
    PreferencesFile::Contents truncated = PreferencesFile::read(path);
    EXPECT_EQ(truncated.state, PreferencesFile::State::Refused);
    EXPECT_EQ(truncated.dictionary->count(), 0u);
    EXPECT_NE(truncated.problem.find(path), std::string::npos) << truncated.problem;

    ASSERT_TRUE(static_cast<bool>(PropertyList::writeFile(
        Value(NSMutableArray::arrayWithValues({ 1 })), path, PropertyList::Format::XML, true)));
    EXPECT_NE(PreferencesFile::read(path).problem.find("not a dictionary"), std::string::npos);

    std::filesystem::remove(path);
    std::filesystem::create_symlink(path + ".nowhere", path);
    EXPECT_EQ(PreferencesFile::read(path).state, PreferencesFile::State::Refused) << "a link to nothing";
}

// A settings file holds a few values. Parsing a large dictionary costs more
// than linear time, so readers on a main thread refuse what a general
// property-list reader would still take.
TEST(PreferencesFile, ReadersAcceptFarLessThanAGeneralPropertyList)
{
    std::string path = preferencesPath();
    auto expectRefusedSaying = [&](const std::string& words) {
        PreferencesFile::Contents contents = PreferencesFile::read(path);
        EXPECT_EQ(contents.state, PreferencesFile::State::Refused);
        EXPECT_NE(contents.problem.find(words), std::string::npos) << contents.problem;
        EXPECT_TRUE(PropertyList::readFile(path)) << "a general reader takes it";
    };
    writeDictionary(path, *dictionaryWithKeys(1500));
    ASSERT_LT(std::filesystem::file_size(path), PreferencesFile::limits.fileSize);
    expectRefusedSaying("too many values");

    auto large = NSMutableDictionary::dictionary();
    large->setObject(NSString(std::string(PreferencesFile::limits.fileSize, 'x')), "text");
    writeDictionary(path, *large);
    expectRefusedSaying("larger than");

    auto deep = NSMutableDictionary::dictionary();
    NSMutableDictionary* level = deep.get();
    for (std::size_t depth = 0; depth <= PreferencesFile::limits.depth; ++depth) {
        auto inner = NSMutableDictionary::dictionary();
        level->setObject(Value(inner), "in");
        level = inner.get();
    }
    writeDictionary(path, *deep);
    expectRefusedSaying("nested too deeply");

    writeDictionary(path, *dictionaryWithKeys(1000));
    EXPECT_EQ(PreferencesFile::read(path).state, PreferencesFile::State::Read);
}

TEST(PreferencesFile, UpdateChangesWhatTheFileHoldsAtThatMoment)
{
    std::string path = preferencesPath();
    auto created = PreferencesFile::update(path, setting("type", 1));
    ASSERT_TRUE(created) << created.error().message;
    EXPECT_EQ(created.value().found.state, PreferencesFile::State::Absent);

    auto before = NSMutableDictionary::dictionary();
    before->setObject(2, "gesture");
    before->setObject("teal", "colour");
    writeDictionary(path, *before);
    auto updated = PreferencesFile::update(path, setting("type", 2));
    ASSERT_TRUE(updated) << updated.error().message;
    EXPECT_EQ(updated.value().found.state, PreferencesFile::State::Read);
    EXPECT_TRUE(updated.value().keptAs.empty());
    PreferencesFile::Contents after = PreferencesFile::read(path);
    EXPECT_EQ(after.dictionary->count(), 3u);
    EXPECT_EQ(after.dictionary->objectForKey("type"), Value(2));
    EXPECT_EQ(after.dictionary->objectForKey("colour"), Value("teal"));
    EXPECT_EQ(updated.value().dictionary->count(), 3u) << "answers what was written";
}

// Whatever sits where the file should be and cannot be read is kept under a
// new name, never replaced, and an earlier kept file is never overwritten.
TEST(PreferencesFile, UpdateKeepsARefusedFileBesideTheNewOne)
{
    std::string path = preferencesPath();
    writeBytes(path, "first refused");
    auto first = PreferencesFile::update(path, [](const PreferencesFile::Contents& found) {
        EXPECT_EQ(found.state, PreferencesFile::State::Refused);
        EXPECT_EQ(found.dictionary->count(), 0u);
        found.dictionary->setObject(1, "type");
        return found.dictionary;
    });
    ASSERT_TRUE(first) << first.error().message;
    EXPECT_EQ(first.value().keptAs, path + ".refused");
    EXPECT_NE(first.value().found.problem.find("not a property list"), std::string::npos);
    EXPECT_EQ(readBytes(path + ".refused"), "first refused");
    EXPECT_EQ(PreferencesFile::read(path).dictionary->objectForKey("type"), Value(1));

    writeBytes(path, "second refused");
    auto second = PreferencesFile::update(path, setting("type", 2));
    ASSERT_TRUE(second) << second.error().message;
    EXPECT_EQ(second.value().keptAs, path + ".refused-2");
    EXPECT_EQ(readBytes(path + ".refused"), "first refused");
    EXPECT_EQ(readBytes(path + ".refused-2"), "second refused");

    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    writeBytes(path + "/inside", "kept");
    auto folder = PreferencesFile::update(path, setting("type", 1));
    ASSERT_TRUE(folder) << folder.error().message;
    EXPECT_EQ(readBytes(folder.value().keptAs + "/inside"), "kept");
    EXPECT_EQ(PreferencesFile::read(path).state, PreferencesFile::State::Read);
}

TEST(PreferencesFile, AnUpdateThatCannotBeWrittenMovesNothing)
{
    std::string path = preferencesPath();
    writeBytes(path, "refused");
    auto unwritable = PreferencesFile::update(path, setting("type", NSString(std::string("a\0b", 3))));
    EXPECT_FALSE(unwritable);

    // The file system refuses the new contents part-way (a file size limit).
    int status = ChildProcess::run([&] {
        std::signal(SIGXFSZ, SIG_IGN);
        rlimit tiny { 4, 4 };
        ::setrlimit(RLIMIT_FSIZE, &tiny);
        return PreferencesFile::update(path, setting("type", 1)) ? 1 : 0;
    }).waitForExit();
    EXPECT_EQ(status, 0) << "the update should have failed";
    EXPECT_EQ(readBytes(path), "refused");
    EXPECT_FALSE(std::filesystem::exists(path + ".refused"));
}

// Each process adds one to its own key, many times, both at once: under the
// update's lock no increment of either is lost.
TEST(PreferencesFile, UpdatesFromTwoProcessesKeepEachOthersChanges)
{
    std::string path = preferencesPath();
    constexpr int updatesEach = 100;
    ReadySignal go;
    auto incrementRepeatedly = [&](const std::string& key) {
        return ChildProcess::run([&, key] {
            if (!go.wait())
                return 2;
            go.signal();
            for (int round = 0; round < updatesEach; ++round) {
                auto updated = PreferencesFile::update(path, [&](const PreferencesFile::Contents& found) {
                    found.dictionary->setObject(found.dictionary->objectForKey(key).intValue() + 1, key);
                    return found.dictionary;
                });
                if (!updated)
                    return 1;
            }
            return 0;
        });
    };
    auto one = incrementRepeatedly("one");
    auto other = incrementRepeatedly("other");
    go.signal();
    EXPECT_EQ(one.waitForExit(), 0);
    EXPECT_EQ(other.waitForExit(), 0);
    PreferencesFile::Contents final = PreferencesFile::read(path);
    EXPECT_EQ(final.dictionary->objectForKey("one"), Value(updatesEach));
    EXPECT_EQ(final.dictionary->objectForKey("other"), Value(updatesEach));
}

} // namespace
