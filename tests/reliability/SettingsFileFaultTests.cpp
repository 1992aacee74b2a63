#include "contracts/CorvaneContract.h"
#include "platform/foundation/PropertyList.h"
#include "tests/keyboard/ExtensionTestSupport.h"
#include "tests/support/ChildProcess.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <sys/stat.h>

namespace {

using namespace extension_test;

// One thing found where the settings file should be. "readsAsAbsent" means
// the extension must fall back to its defaults; otherwise each setting must
// only hold one of its two choices.
struct BadSettingsFile {
    const char* name;
    std::function<void(const std::string& path)> make;
    bool readsAsAbsent { true };
};

// By name: the default would print the object's bytes, addresses included,
// and the test names CTest lists would change with every build.
void PrintTo(const BadSettingsFile& file, std::ostream* out)
{
    *out << file.name;
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

std::string validList(PropertyList::Format format)
{
    auto settings = NSMutableDictionary::dictionary();
    settings->setObject(1, contract::typeKey);
    settings->setObject(2, contract::gestureKey);
    return PropertyList::serialize(*settings, format).releaseValue();
}

std::function<void(const std::string&)> withValues(Value type, Value gesture)
{
    return [=](const std::string& path) {
        auto settings = NSMutableDictionary::dictionary();
        settings->setObject(type, contract::typeKey);
        settings->setObject(gesture, contract::gestureKey);
        (void)settings->writeToFile(path, true);
    };
}

RefPtr<NSMutableArray> deeplyNested(int depth)
{
    auto outer = NSMutableArray::array();
    NSMutableArray* current = outer.get();
    for (int level = 0; level < depth; ++level) {
        auto inner = NSMutableArray::array();
        current->addObject(inner);
        current = inner.get();
    }
    return outer;
}

const std::vector<BadSettingsFile>& badSettingsFiles()
{
    static const std::vector<BadSettingsFile> cases {
        { "Absent", [](const std::string&) {} },
        { "Empty", [](const std::string& path) { writeBytes(path, ""); } },
        { "TruncatedXML",
            [](const std::string& path) {
                std::string whole = validList(PropertyList::Format::XML);
                writeBytes(path, whole.substr(0, whole.size() / 2));
            } },
        { "TruncatedBinary",
            [](const std::string& path) {
                std::string whole = validList(PropertyList::Format::Binary);
                writeBytes(path, whole.substr(0, whole.size() - 3));
            } },
        { "BinaryGarbage",
            [](const std::string& path) {
                std::string garbage = "bplist00";
                std::uint32_t seed = 7;
                for (int index = 0; index < 4096; ++index) {
                    seed = seed * 1103515245 + 12345;
                    garbage += static_cast<char>(seed >> 24);
                }
                writeBytes(path, garbage);
            } },
        { "ArrayRoot",
            [](const std::string& path) {
                (void)PropertyList::writeFile(Value(NSMutableArray::arrayWithValues({ 1, 2 })), path,
                    PropertyList::Format::Binary, true);
            } },
        { "ArrayValues",
            withValues(NSMutableArray::arrayWithValues({ 1 }), NSMutableArray::arrayWithValues({ 2 })) },
        { "DictionaryValues",
            withValues(NSMutableDictionary::dictionary(), NSMutableDictionary::dictionary()) },
        { "DataValues", withValues(NSData { 1, 0, 0, 0 }, NSData { 2 }) },
        { "DateValues", withValues(NSDate { 1.0 }, NSDate { 2.0 }) },
        { "DeeplyNestedValues", withValues(deeplyNested(400), deeplyNested(400)) },
        { "TextValues", withValues("shifted", "\xF0\x9F\x98\x80"), false },
        { "BooleanValues", withValues(true, false), false },
        { "RealValues", withValues(1e300, -1e300), false },
        { "HugeIntegers", withValues(Value::unsignedInteger(~0ull), Value(std::int64_t { INT64_MIN })),
            false },
        { "HundredMegabytes",
            [](const std::string& path) {
                writeBytes(path, validList(PropertyList::Format::XML));
                std::filesystem::resize_file(path, 100 * 1000 * 1000);
            } },
        { "LinkToDevZero",
            [](const std::string& path) { std::filesystem::create_symlink("/dev/zero", path); } },
        { "LinkToDevUrandom",
            [](const std::string& path) { std::filesystem::create_symlink("/dev/urandom", path); } },
        { "Folder", [](const std::string& path) { std::filesystem::create_directory(path); } },
        { "PipeWithoutWriter", [](const std::string& path) { ::mkfifo(path.c_str(), 0600); } },
    };
    return cases;
}

class SettingsFileFault : public ExtensionFixture, public testing::WithParamInterface<BadSettingsFile> {
protected:
    std::string settingsPath() const { return deviceRoot->preparedPath(settingsFilePath); }
    void makeBadFile() const
    {
        std::filesystem::remove_all(settingsPath());
        GetParam().make(settingsPath());
    }
    bool holdsAcceptableSettings() const
    {
        if (!extension.gSettingsLoaded)
            return false;
        return !GetParam().readsAsAbsent || loadedSettings() == alternateKeyFlickUp;
    }
    bool keyboardTypes()
    {
        input->text.clear();
        UIKBTree* letter = key("q");
        if (!letter)
            return false;
        driver.tap(centerOf(letter));
        return input->text == "q";
    }

    // Each step answers its own exit status, so a failure in the child names itself.
    int startWithTheBadFileAndChangeToItAgain()
    {
        makeBadFile();
        startExtension();
        present();
        if (!holdsAcceptableSettings())
            return 1;
        if (!keyboardTypes())
            return 2;
        std::filesystem::remove_all(settingsPath());
        useSettings(1, 2);
        if (loadedSettings() != shiftedKeySlideUp)
            return 3;
        makeBadFile();
        CFNotificationCenterPostNotification(
            CFNotificationCenterGetDarwinNotifyCenter(), settingsChangedNotification, nullptr, nullptr, true);
        NSRunLoop::main().runUntilIdle();
        if (!holdsAcceptableSettings())
            return 4;
        if (!keyboardTypes())
            return 5;
        return 0;
    }
};

// A device node or a pipe could block a reader for ever, so the extension
// runs in a child that must finish in time.
TEST_P(SettingsFileFault, ExtensionKeepsTypingWithoutBlockingOrCrashing)
{
    auto child = ChildProcess::run([this] { return startWithTheBadFileAndChangeToItAgain(); });
    EXPECT_EQ(child.waitForExit(60), 0) << "1/4: wrong settings, 2/5: no typing, 3: good file unread, "
                                           "-1: crashed or blocked";
}

INSTANTIATE_TEST_SUITE_P(EveryBadFile, SettingsFileFault, testing::ValuesIn(badSettingsFiles()),
    [](const testing::TestParamInfo<BadSettingsFile>& tested) { return std::string(tested.param.name); });

} // namespace
