#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/PreferencesFile.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/ReadySignal.h"

#include <csignal>
#include <fcntl.h>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

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
// new name, never replaced. The newest few are kept; older ones go, so that
// bad files in a row neither fill the disk nor, once many are kept, stop
// every save.
TEST(PreferencesFile, UpdateKeepsTheNewestRefusedFilesBesideTheNewOne)
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

    // What an earlier version kept, up to a hundred files, goes as well.
    for (int age = 4; age <= 100; ++age)
        writeBytes(path + ".refused-" + std::to_string(age), "kept by an earlier version");
    for (int round = 2; round <= 5; ++round) {
        writeBytes(path, "refused " + std::to_string(round));
        auto next = PreferencesFile::update(path, setting("type", round));
        ASSERT_TRUE(next) << next.error().message;
        EXPECT_EQ(next.value().keptAs, path + ".refused");
    }
    EXPECT_EQ(readBytes(path + ".refused"), "refused 5");
    EXPECT_EQ(readBytes(path + ".refused-2"), "refused 4");
    EXPECT_EQ(readBytes(path + ".refused-3"), "refused 3");
    std::size_t kept = 0;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()))
        kept += entry.path().filename().string().find(".refused") != std::string::npos;
    EXPECT_EQ(kept, static_cast<std::size_t>(PreferencesFile::keptRefusedFiles));
    EXPECT_EQ(PreferencesFile::read(path).dictionary->objectForKey("type"), Value(5));

    std::filesystem::remove(path);
    std::filesystem::create_directory(path);
    writeBytes(path + "/inside", "kept");
    auto folder = PreferencesFile::update(path, setting("type", 1));
    ASSERT_TRUE(folder) << folder.error().message;
    EXPECT_EQ(readBytes(folder.value().keptAs + "/inside"), "kept");
    EXPECT_EQ(readBytes(path + ".refused-2"), "refused 5");
    EXPECT_EQ(PreferencesFile::read(path).state, PreferencesFile::State::Read);
}

// A save is XML, which may come out larger or with more values than the
// file it was read from; the readers would then refuse it, and every
// keyboard would lose its settings. Such an update writes nothing.
TEST(PreferencesFile, AnUpdateTheReadersWouldRefuseIsNotWritten)
{
    std::string path = preferencesPath();
    auto expectLeftAsItWas = [&](const PreferencesFile::Change& change, const std::string& why) {
        std::string before = readBytes(path);
        auto refused = PreferencesFile::update(path, change);
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.error().message.find(why), std::string::npos) << refused.error().message;
        EXPECT_EQ(readBytes(path), before);
    };
    // 2,048 values: the list's own dictionary, then a key and a value each.
    writeDictionary(path, *dictionaryWithKeys(1023));
    ASSERT_EQ(PreferencesFile::read(path).state, PreferencesFile::State::Read);
    expectLeftAsItWas(setting("type", 1), "too many values");

    // A binary file just within the size cap grows past it as XML.
    auto large = NSMutableDictionary::dictionary();
    large->setObject(NSData(PreferencesFile::limits.fileSize - 500, 0x5A), "blob");
    ASSERT_TRUE(static_cast<bool>(PropertyList::writeFile(*large, path, PropertyList::Format::Binary, true)));
    ASSERT_EQ(PreferencesFile::read(path).state, PreferencesFile::State::Read);
    expectLeftAsItWas(setting("type", 1), "larger than");

    // So does a string of characters that XML escapes.
    writeDictionary(path, *dictionaryWithKeys(1));
    expectLeftAsItWas(setting("note", NSString(std::string(17000, '<'))), "larger than");
    EXPECT_FALSE(std::filesystem::exists(path + ".refused"));
}

// Saves never copy the setuid, setgid or sticky bit of what they replace,
// even when the settings file was a link to a program's file.
TEST(PreferencesFile, AnUpdateNeverCopiesSpecialModeBits)
{
    std::string path = preferencesPath();
    std::string program = path + ".program";
    writeDictionary(program, *dictionaryWithKeys(1));
    ASSERT_EQ(::chmod(program.c_str(), 07755), 0);
    std::filesystem::create_symlink(program, path);
    auto updated = PreferencesFile::update(path, setting("type", 1));
    ASSERT_TRUE(updated) << updated.error().message;
    struct stat saved { };
    ASSERT_EQ(::lstat(path.c_str(), &saved), 0);
    EXPECT_TRUE(S_ISREG(saved.st_mode));
    EXPECT_EQ(saved.st_mode & 07777, 0755u);
}

// Another user who may read the folder cannot hold up a save: the lock is a
// file only the folder's owner can open, never the folder itself, and a lock
// file someone else made is not taken for ours.
TEST(PreferencesFile, NoOtherUserCanTakeTheUpdatesLock)
{
    if (::geteuid() != 0)
        GTEST_SKIP() << "acting as another user takes the superuser";
    std::string path = preferencesPath();
    ASSERT_EQ(::chmod(DeviceRoot::path().c_str(), 0755), 0);
    ASSERT_TRUE(PreferencesFile::update(path, setting("type", 1)));
    std::string lock = PreferencesFile::lockPath(path);
    struct stat status { };
    ASSERT_EQ(::stat(lock.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 07777, 0600u);

    ReadySignal holding;
    ReadySignal finished;
    auto other = ChildProcess::run([&] {
        if (::setgid(65534) != 0 || ::setuid(65534) != 0)
            return 10;
        int folder = ::open(std::filesystem::path(path).parent_path().c_str(), O_RDONLY | O_DIRECTORY);
        if (folder < 0 || ::flock(folder, LOCK_EX) != 0)
            return 11;
        if (::open(lock.c_str(), O_RDONLY) >= 0)
            return 12;
        holding.signal();
        return finished.wait() ? 0 : 13;
    });
    ASSERT_TRUE(holding.wait()) << "the other user's process ended with " << other.waitForExit();
    auto updated = PreferencesFile::update(path, setting("type", 2));
    EXPECT_TRUE(updated) << updated.error().message;
    finished.signal();
    EXPECT_EQ(other.waitForExit(), 0) << "11: could not lock the folder, 12: could open the lock file";
    EXPECT_EQ(PreferencesFile::read(path).dictionary->objectForKey("type"), Value(2));

    ASSERT_EQ(::chown(lock.c_str(), 65534, 65534), 0);
    auto refused = PreferencesFile::update(path, setting("type", 1));
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().message.find("belongs to another user"), std::string::npos)
        << refused.error().message;
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
