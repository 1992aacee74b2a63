#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyList.h"
#include "tests/support/ChildProcess.h"
#include "tests/support/DirectoryWatch.h"
#include "tests/support/ShellCommand.h"

#include <cmath>
#include <csignal>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr double sampleDate = 352548672.0; // 2012-03-04 10:11:12 UTC

std::string settingsPath()
{
    std::string path = DeviceRoot::devicePath("/var/mobile/Library/Preferences/com.example.settings.plist");
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    return path;
}

void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string readBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), {});
}

// The same dictionary that plist_interop.py builds.
RefPtr<NSMutableDictionary> sampleDictionary()
{
    auto dictionary = NSMutableDictionary::dictionary();
    dictionary->setObject("h\xC3\xA9llo w\xC3\xB6rld \xE2\x9C\x93", "string");
    dictionary->setObject("", "empty");
    dictionary->setObject(42, "integer");
    dictionary->setObject(-7, "negative");
    dictionary->setObject(std::int64_t { 1 } << 40, "large");
    dictionary->setObject(Value::unsignedInteger(~std::uint64_t { 0 }), "unsigned");
    dictionary->setObject(std::numeric_limits<std::int64_t>::min(), "minimum");
    dictionary->setObject(3.25, "real");
    dictionary->setObject(true, "true");
    dictionary->setObject(false, "false");
    dictionary->setObject(NSData { 0x00, 0x01, 0xFE, 'p', 'l', 'i', 's', 't' }, "data");
    dictionary->setObject(NSDate { sampleDate }, "date");
    auto inner = NSMutableArray::arrayWithValues({ 3.5 });
    dictionary->setObject(
        NSMutableArray::arrayWithValues({ 1, "two", Value(inner), Value(NSMutableDictionary::dictionary()) }),
        "array");
    auto nested = NSMutableDictionary::dictionary();
    nested->setObject(1, "type");
    nested->setObject(2, "gesture");
    dictionary->setObject(nested, "nested");
    return dictionary;
}

void expectSampleContents(const NSMutableDictionary& dictionary)
{
    EXPECT_EQ(dictionary.count(), 14u);
    EXPECT_EQ(dictionary.objectForKey("string").string().utf8(), "h\xC3\xA9llo w\xC3\xB6rld \xE2\x9C\x93");
    EXPECT_TRUE(dictionary.objectForKey("empty").isString());
    EXPECT_EQ(dictionary.objectForKey("integer").intValue(), 42);
    EXPECT_EQ(dictionary.objectForKey("negative").integer().value, -7);
    EXPECT_FALSE(dictionary.objectForKey("negative").integer().isUnsigned);
    EXPECT_EQ(dictionary.objectForKey("large").integer().value, std::int64_t { 1 } << 40);
    NSNumberInteger unsignedValue = dictionary.objectForKey("unsigned").integer();
    EXPECT_TRUE(unsignedValue.isUnsigned);
    EXPECT_EQ(static_cast<std::uint64_t>(unsignedValue.value), ~std::uint64_t { 0 });
    NSNumberInteger minimum = dictionary.objectForKey("minimum").integer();
    EXPECT_FALSE(minimum.isUnsigned);
    EXPECT_EQ(minimum.value, std::numeric_limits<std::int64_t>::min());
    EXPECT_TRUE(dictionary.objectForKey("real").isReal());
    EXPECT_EQ(dictionary.objectForKey("real").realValue(), 3.25);
    EXPECT_EQ(dictionary.objectForKey("true"), Value(true));
    EXPECT_EQ(dictionary.objectForKey("false"), Value(false));
    EXPECT_EQ(dictionary.objectForKey("data"), Value(NSData { 0x00, 0x01, 0xFE, 'p', 'l', 'i', 's', 't' }));
    ASSERT_TRUE(dictionary.objectForKey("date").isDate());
    EXPECT_DOUBLE_EQ(dictionary.objectForKey("date").date()->secondsSinceReferenceDate, sampleDate);
    NSMutableArray* array = dictionary.objectForKey("array").array();
    ASSERT_TRUE(array);
    ASSERT_EQ(array->count(), 4u);
    EXPECT_EQ(array->objectAtIndex(0).intValue(), 1);
    EXPECT_EQ(array->objectAtIndex(1).string().utf8(), "two");
    ASSERT_TRUE(array->objectAtIndex(2).array());
    EXPECT_EQ(array->objectAtIndex(2).array()->objectAtIndex(0).realValue(), 3.5);
    ASSERT_TRUE(array->objectAtIndex(3).dictionary());
    EXPECT_EQ(array->objectAtIndex(3).dictionary()->count(), 0u);
    NSMutableDictionary* nested = dictionary.objectForKey("nested").dictionary();
    ASSERT_TRUE(nested);
    EXPECT_EQ(nested->objectForKey("type").intValue(), 1);
    EXPECT_EQ(nested->objectForKey("gesture").intValue(), 2);
}

class PlistInterop : public testing::Test {
protected:
    void SetUp() override
    {
        if (!ShellCommand::isAvailable("python3"))
            GTEST_SKIP() << "python3 is not installed; the interoperability tests with plistlib need it";
    }
    static ShellCommand script(const std::string& mode, const std::string& path)
    {
        return ShellCommand::run("python3 "
            + ShellCommand::quoted(sourceTreePath("tests/platform/foundation/plist_interop.py")) + " " + mode
            + " " + ShellCommand::quoted(path));
    }
};

TEST_F(PlistInterop, ReadsXMLAndBinaryListsWrittenByPlistlib)
{
    std::string folder = DeviceRoot::path();
    ShellCommand written = script("write", folder);
    ASSERT_EQ(written.exitStatus, 0) << written.output;
    for (const char* name : { "sample.xml", "sample.bin" }) {
        SCOPED_TRACE(name);
        auto dictionary = NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/" + name);
        ASSERT_TRUE(dictionary);
        expectSampleContents(*dictionary);
    }
}

TEST_F(PlistInterop, PlistlibReadsOurXMLAndBinaryLists)
{
    std::string xmlPath = settingsPath();
    ASSERT_TRUE(sampleDictionary()->writeToFile(xmlPath, true));
    ShellCommand xml = script("check", xmlPath);
    EXPECT_EQ(xml.exitStatus, 0) << xml.output;

    std::string binaryPath = DeviceRoot::path() + "/ours.bin";
    ASSERT_TRUE(PropertyList::writeFile(*sampleDictionary(), binaryPath, PropertyList::Format::Binary, true));
    ShellCommand binary = script("check", binaryPath);
    EXPECT_EQ(binary.exitStatus, 0) << binary.output;
}

TEST(PropertyList, RoundTripsEveryKindInBothEncodings)
{
    for (auto format : { PropertyList::Format::XML, PropertyList::Format::Binary }) {
        auto bytes = PropertyList::serialize(*sampleDictionary(), format);
        ASSERT_TRUE(bytes) << bytes.error().message;
        auto value = PropertyList::parse(bytes.value());
        ASSERT_TRUE(value) << value.error().message;
        ASSERT_TRUE(value.value().dictionary());
        expectSampleContents(*value.value().dictionary());
    }
}

TEST(PropertyList, WritingWhatNoListCanHoldFailsAndWritesNothing)
{
    std::string path = settingsPath();
    auto selfContaining = NSMutableDictionary::dictionary();
    selfContaining->setObject(selfContaining, "me");
    auto written = selfContaining->writeToFile(path, true);
    selfContaining->removeObjectForKey("me"); // break the cycle so the dictionary can go
    EXPECT_FALSE(written);

    auto withObject = NSMutableDictionary::dictionary();
    withObject->setObject(RefPtr<NSObject>(makeRef<NSObject>(NSObject::staticClass())), "object");
    EXPECT_FALSE(withObject->writeToFile(path, true));

    auto withNil = NSMutableDictionary::dictionary();
    withNil->setObject(NSMutableArray::arrayWithValues({ Value() }), "array");
    EXPECT_FALSE(withNil->writeToFile(path, false));

    EXPECT_FALSE(std::filesystem::exists(path));
    EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(path).parent_path()));
}

TEST(NSMutableDictionary, ContentsOfFileIsNothingForAbsentOrUnusableFiles)
{
    std::string folder = DeviceRoot::path();
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/absent.plist"));

    writeBytes(folder + "/empty.plist", "");
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/empty.plist"));

    writeBytes(folder + "/garbage.plist", "type = 1; gesture = 2; \x01\x02\xFF");
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/garbage.plist"));

    ASSERT_TRUE(PropertyList::writeFile(Value(NSMutableArray::arrayWithValues({ 1, 2 })),
        folder + "/array.plist", PropertyList::Format::XML, true));
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/array.plist"));
}

TEST(NSMutableDictionary, ContentsOfFileRefusesFilesThatAreNotSmallRegularFiles)
{
    std::string folder = DeviceRoot::path();
    std::filesystem::create_directory(folder + "/folder.plist");
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/folder.plist"));

    std::filesystem::create_symlink("/dev/zero", folder + "/device.plist");
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/device.plist"));

    std::filesystem::create_directory_symlink(folder + "/folder.plist", folder + "/linked-folder.plist");
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/linked-folder.plist"));

    // A pipe with no writer would block a plain open for ever.
    ASSERT_EQ(::mkfifo((folder + "/pipe.plist").c_str(), 0600), 0);
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/pipe.plist"));

    // 100 MB, sparse: refused by its size before anything is read.
    {
        std::ofstream(folder + "/huge.plist") << "<plist><dict>";
    }
    std::filesystem::resize_file(folder + "/huge.plist", 100 * 1000 * 1000);
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(folder + "/huge.plist"));
}

// A binary list whose objects are arrays that each hold the next one
// (`fanOut` times); the last is empty, or refers back to the first.
std::string chainedBinaryList(std::uint32_t depth, std::uint32_t fanOut, bool loopsBack)
{
    auto bigEndian = [](std::uint64_t value, int size) {
        std::string bytes;
        for (int shift = (size - 1) * 8; shift >= 0; shift -= 8)
            bytes += static_cast<char>((value >> shift) & 0xFF);
        return bytes;
    };
    std::string list = "bplist00";
    std::vector<std::uint64_t> offsets;
    for (std::uint32_t object = 0; object < depth; ++object) {
        offsets.push_back(list.size());
        bool isLast = object + 1 == depth;
        if (isLast && !loopsBack) {
            list += '\xA0';
            continue;
        }
        list += static_cast<char>(0xA0 | fanOut);
        for (std::uint32_t reference = 0; reference < fanOut; ++reference)
            list += bigEndian(isLast ? 0 : object + 1, 4);
    }
    std::uint64_t tableOffset = list.size();
    for (std::uint64_t offset : offsets)
        list += bigEndian(offset, 4);
    list += std::string(6, '\0') + '\x04' + '\x04';
    list += bigEndian(depth, 8) + bigEndian(0, 8) + bigEndian(tableOffset, 8);
    return list;
}

TEST(PropertyList, RefusesHostileStructuresWithoutCrashing)
{
    // Nesting far beyond any real list would exhaust the parser's stack.
    std::size_t levels = 1000000;
    std::string deepXML = "<?xml version=\"1.0\"?><plist>";
    for (std::size_t level = 0; level < levels; ++level)
        deepXML += "<array>";
    for (std::size_t level = 0; level < levels; ++level)
        deepXML += "</array>";
    deepXML += "</plist>";
    ASSERT_LT(deepXML.size(), PropertyList::maximumFileSize);
    EXPECT_FALSE(PropertyList::parse(deepXML));

    EXPECT_FALSE(PropertyList::parse(chainedBinaryList(200000, 1, false)));
    // References that loop, and a small file that expands to 2^40 values.
    EXPECT_FALSE(PropertyList::parse(chainedBinaryList(3, 1, true)));
    EXPECT_FALSE(PropertyList::parse(chainedBinaryList(41, 2, false)));

    // Moderate nesting and sharing are ordinary lists.
    auto nested = PropertyList::parse(chainedBinaryList(100, 1, false));
    ASSERT_TRUE(nested) << nested.error().message;
    EXPECT_TRUE(nested.value().isArray());
    auto shared = PropertyList::parse(chainedBinaryList(10, 2, false));
    ASSERT_TRUE(shared) << shared.error().message;
    EXPECT_EQ(shared.value().array()->count(), 2u);
}

// A binary list of one dictionary holding one entry, its key and value given
// as encoded objects (marker byte and contents).
std::string oneEntryBinaryList(const std::string& key, const std::string& value)
{
    std::string list = "bplist00";
    std::string offsets;
    offsets += static_cast<char>(list.size());
    list += "\xD1\x01\x02";
    offsets += static_cast<char>(list.size());
    list += key;
    offsets += static_cast<char>(list.size());
    list += value;
    auto tableOffset = static_cast<char>(list.size());
    list += offsets;
    list += std::string(6, '\0') + '\x01' + '\x01';
    list += std::string(7, '\0') + '\x03' + std::string(8, '\0') + std::string(7, '\0') + tableOffset;
    return list;
}

TEST(PropertyList, StringsMarkedASCIIHoldingOtherBytesAreRefused)
{
    const std::string typeKey = "\x54type";
    // "été" as Latin-1 bytes in a string marked ASCII.
    std::string latinValue = oneEntryBinaryList(typeKey, "\x53\xE9t\xE9");
    auto refused = PropertyList::parse(latinValue);
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().message.find("ASCII"), std::string::npos) << refused.error().message;
    EXPECT_FALSE(PropertyList::parse(oneEntryBinaryList("\x54typ\x9B", "\x51x")));

    std::string path = settingsPath();
    writeBytes(path, latinValue);
    EXPECT_FALSE(NSMutableDictionary::dictionaryWithContentsOfFile(path));
    auto fromFile = PropertyList::readFile(path);
    ASSERT_FALSE(fromFile);
    EXPECT_NE(fromFile.error().message.find(path), std::string::npos);

    // The list the fuzzer found: its key and values are such strings.
    std::ifstream seed(sourceTreePath("fuzz/corpus/plist/binary-string-not-ascii.plist"), std::ios::binary);
    std::string found(std::istreambuf_iterator<char>(seed), {});
    ASSERT_FALSE(found.empty());
    EXPECT_FALSE(PropertyList::parse(found));

    // The same text marked as UTF-16 is an ordinary list and survives both encodings.
    auto utf16 = PropertyList::parse(oneEntryBinaryList(typeKey, std::string("\x63\0\xE9\0t\0\xE9", 7)));
    ASSERT_TRUE(utf16) << utf16.error().message;
    for (auto format : { PropertyList::Format::XML, PropertyList::Format::Binary }) {
        auto written = PropertyList::serialize(utf16.value(), format);
        ASSERT_TRUE(written) << written.error().message;
        auto reread = PropertyList::parse(written.value());
        ASSERT_TRUE(reread) << reread.error().message;
        ASSERT_TRUE(reread.value().dictionary());
        EXPECT_EQ(reread.value().dictionary()->objectForKey("type").string().utf8(), "\xC3\xA9t\xC3\xA9");
    }
    // Plain ASCII stays readable.
    auto ascii = PropertyList::parse(oneEntryBinaryList(typeKey,
        "\x53"
        "ete"));
    ASSERT_TRUE(ascii) << ascii.error().message;
    EXPECT_EQ(ascii.value().dictionary()->objectForKey("type").string().utf8(), "ete");
}

// A NUL inside a string could be read but never written again, so a pane
// saving such a settings file would fail on every toggle.
TEST(PropertyList, StringsHoldingANulCharacterAreRefused)
{
    // "a" and U+0000 in a UTF-16 string.
    auto refused = PropertyList::parse(oneEntryBinaryList("\x54type", std::string("\x62\0a\0\0", 5)));
    ASSERT_FALSE(refused);
    EXPECT_NE(refused.error().message.find("NUL"), std::string::npos) << refused.error().message;

    std::ifstream seed(sourceTreePath("fuzz/corpus/settings/binary-string-with-nul.plist"), std::ios::binary);
    std::string found(std::istreambuf_iterator<char>(seed), {});
    ASSERT_FALSE(found.empty());
    EXPECT_FALSE(PropertyList::parse(found));
}

// A binary date object: its marker and the seconds from the reference date
// as a big-endian double.
std::string binaryDate(double seconds)
{
    std::uint64_t bits;
    std::memcpy(&bits, &seconds, sizeof bits);
    std::string object = "\x33";
    for (int shift = 56; shift >= 0; shift -= 8)
        object += static_cast<char>(bits >> shift);
    return object;
}

std::string xmlDateList(const std::string& date)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist><dict><key>when</key><date>" + date
        + "</date></dict></plist>";
}

// Dates are written as whole seconds from 2001 in 32 bits; a date outside
// that range (or not a number) would be read, and a pane saving such a
// settings file would then fail on every toggle.
TEST(PropertyList, DatesThatCannotBeWrittenAreRefused)
{
    for (double seconds : { std::nan(""), HUGE_VAL, -HUGE_VAL, 1e300, 3e9, -3e9 }) {
        SCOPED_TRACE(seconds);
        auto refused = PropertyList::parse(oneEntryBinaryList("\x54when", binaryDate(seconds)));
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.error().message.find("date out of range"), std::string::npos)
            << refused.error().message;
    }
    for (const char* date : { "2150-01-01T00:00:00Z", "1800-01-01T00:00:00Z" })
        EXPECT_FALSE(PropertyList::parse(xmlDateList(date))) << date;
    std::ifstream seed(
        sourceTreePath("fuzz/corpus/settings/binary-date-not-a-number.plist"), std::ios::binary);
    std::string settingsBesideADate(std::istreambuf_iterator<char>(seed), {});
    ASSERT_FALSE(settingsBesideADate.empty());
    EXPECT_FALSE(PropertyList::parse(settingsBesideADate));

    // Dates inside the range read exactly, and every one read can be written.
    for (double seconds : { -0.25, 1e9 + 0.5, 2147483647.0, -2147483648.0 }) {
        SCOPED_TRACE(seconds);
        auto read = PropertyList::parse(oneEntryBinaryList("\x54when", binaryDate(seconds)));
        ASSERT_TRUE(read) << read.error().message;
        const NSDate* date = read.value().dictionary()->objectForKey("when").date();
        ASSERT_NE(date, nullptr);
        EXPECT_EQ(date->secondsSinceReferenceDate, seconds);
        for (auto format : { PropertyList::Format::XML, PropertyList::Format::Binary })
            EXPECT_TRUE(PropertyList::serialize(read.value(), format));
    }
    auto written = PropertyList::parse(xmlDateList("2068-12-31T23:59:59Z"));
    ASSERT_TRUE(written) << written.error().message;
    EXPECT_TRUE(PropertyList::serialize(written.value(), PropertyList::Format::XML));
}

// The parser reads what it can of a malformed value, and a list saved again
// would hold another value than the file gave: such a list is refused. What
// a writer may put there (hexadecimal, signs, the whole integer range, line
// breaks in data, surrounding whitespace) reads as before.
TEST(PropertyList, XMLValuesThatCannotBeReadExactlyAreRefused)
{
    auto xmlValue = [](const std::string& element) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist><dict><key>type</key><integer>1</integer>"
               "<key>value</key>"
            + element + "</dict></plist>";
    };
    for (const char* inexact : { "<date>garbage</date>", "<date>2024-02-30T25:61:61Z</date>",
             "<date>2023-02-29T00:00:00Z</date>", "<date>2024-01-01T00:00:00+01:00</date>",
             "<date>2012-03-04T10:11:12.5Z</date>", "<date/>", "<integer>12abc</integer>",
             "<integer></integer>", "<integer/>", "<integer>99999999999999999999</integer>",
             "<integer>-9223372036854775809</integer>", "<integer>1<!-- 0 -->2</integer>",
             "<integer>&#49;</integer>", "<integer>0x</integer>", "<real>1.5abc</real>", "<real>1,5</real>",
             "<data>!!!notbase64</data>", "<data>QUJD=RA==</data>", "<data>QUI</data>" }) {
        SCOPED_TRACE(inexact);
        auto refused = PropertyList::parse(xmlValue(inexact));
        ASSERT_FALSE(refused);
        EXPECT_NE(refused.error().message.find("property list: <"), std::string::npos)
            << refused.error().message;
    }

    const std::pair<const char*, Value> exact[] = {
        { "<integer>0x1F</integer>", Value(31) },
        { "<integer> -9223372036854775808\n</integer>", Value(NSNumberInteger { INT64_MIN, false }) },
        { "<integer>+18446744073709551615</integer>", Value(NSNumberInteger { -1, true }) },
        { "<real>-infinity</real>", Value(-HUGE_VAL) },
        { "<real> 2.5e3 </real>", Value(2500.0) },
        { "<date>2024-02-29T23:59:59Z</date>", Value(NSDate { 730943999.0 }) },
        { "<data>\n\tQUJD\n\tRA==\n</data>", Value(NSData { 'A', 'B', 'C', 'D' }) },
        { "<data/>", Value(NSData {}) },
    };
    for (const auto& [element, expected] : exact) {
        SCOPED_TRACE(element);
        auto read = PropertyList::parse(xmlValue(element));
        ASSERT_TRUE(read) << read.error().message;
        EXPECT_EQ(read.value().dictionary()->objectForKey("value"), expected);
    }
}

// Editors may write one; it starts a UTF-8 file and is no part of the list.
TEST(PropertyList, AByteOrderMarkBeforeAnXMLListIsNotAnError)
{
    auto read = PropertyList::parse("\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>"
                                    "<plist><dict><key>type</key><integer>1</integer></dict></plist>");
    ASSERT_TRUE(read) << read.error().message;
    EXPECT_EQ(read.value().dictionary()->objectForKey("type"), Value(1));
}

TEST(PropertyList, XMLTextThatIsNotUTF8IsRefused)
{
    auto xmlList = [](const std::string& key, const std::string& value) {
        return "<?xml version=\"1.0\" encoding=\"UTF-8\"?><plist><dict><key>" + key + "</key><string>" + value
            + "</string></dict></plist>";
    };
    // A stray byte, a truncated sequence, an overlong form, a surrogate.
    for (const char* bad : { "\xB5type", "t\xC3", "\xC0\xAF", "\xED\xA0\x80" }) {
        SCOPED_TRACE(bad);
        auto asKey = PropertyList::parse(xmlList(bad, "x"));
        ASSERT_FALSE(asKey);
        EXPECT_NE(asKey.error().message.find("UTF-8"), std::string::npos) << asKey.error().message;
        EXPECT_FALSE(PropertyList::parse(xmlList("type", bad)));
    }
    // Well-formed text of every length reads and is written again in both encodings.
    auto good = PropertyList::parse(xmlList("t\xC3\xA9", "\xE2\x9C\x93 \xF0\x9F\x98\x80"));
    ASSERT_TRUE(good) << good.error().message;
    for (auto format : { PropertyList::Format::XML, PropertyList::Format::Binary }) {
        auto reread = PropertyList::parse(PropertyList::serialize(good.value(), format).releaseValue());
        ASSERT_TRUE(reread) << reread.error().message;
        EXPECT_EQ(reread.value().dictionary()->objectForKey("t\xC3\xA9").string().utf8(),
            "\xE2\x9C\x93 \xF0\x9F\x98\x80");
    }
}

TEST(PropertyList, TruncatedOrCorruptedListsAreRefusedOrReadWithoutCrashing)
{
    for (auto format : { PropertyList::Format::XML, PropertyList::Format::Binary }) {
        std::string whole = PropertyList::serialize(*sampleDictionary(), format).releaseValue();
        // Every strict prefix of a binary list lacks its trailer.
        if (format == PropertyList::Format::Binary) {
            for (std::size_t length = 0; length < whole.size(); ++length)
                EXPECT_FALSE(PropertyList::parse(std::string_view(whole).substr(0, length))) << length;
        }
        // Flipped bytes: many lists become unreadable, none may crash the reader.
        std::uint32_t seed = 12345;
        int refused = 0;
        for (int round = 0; round < 2000; ++round) {
            std::string corrupted = whole;
            for (int flip = 0; flip < 3; ++flip) {
                seed = seed * 1103515245 + 12345;
                corrupted[(seed >> 8) % corrupted.size()] = static_cast<char>(seed >> 24);
            }
            refused += PropertyList::parse(corrupted) ? 0 : 1;
        }
        EXPECT_GT(refused, 0);
    }
}

TEST(NSMutableDictionary, WriteToFileReplacesTheWholeFileAndKeepsItsPermissions)
{
    std::string path = settingsPath();
    auto first = sampleDictionary();
    ASSERT_TRUE(first->writeToFile(path, true));
    ::chmod(path.c_str(), 0600);

    auto second = NSMutableDictionary::dictionary();
    second->setObject(1, "type");
    ASSERT_TRUE(second->writeToFile(path, true));
    auto readBack = NSMutableDictionary::dictionaryWithContentsOfFile(path);
    ASSERT_TRUE(readBack);
    EXPECT_EQ(readBack->count(), 1u);
    EXPECT_EQ(readBack->objectForKey("type").intValue(), 1);
    struct stat status { };
    ASSERT_EQ(::stat(path.c_str(), &status), 0);
    EXPECT_EQ(status.st_mode & 0777, 0600u);
    // No temporary file is left next to it.
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()),
                  std::filesystem::directory_iterator()),
        1);

    ASSERT_TRUE(second->writeToFile(path, false));
    EXPECT_EQ(NSMutableDictionary::dictionaryWithContentsOfFile(path)->count(), 1u);
}

RefPtr<NSMutableDictionary> uniformDictionary(const char* letter, int entries)
{
    auto dictionary = NSMutableDictionary::dictionary();
    for (int index = 0; index < entries; ++index)
        dictionary->setObject(letter, "key" + std::to_string(index));
    return dictionary;
}

// Whether the file holds one of the two uniform dictionaries, whole.
bool holdsWholeUniformDictionary(const std::string& path, int entries)
{
    auto dictionary = NSMutableDictionary::dictionaryWithContentsOfFile(path);
    if (!dictionary || dictionary->count() != static_cast<std::size_t>(entries))
        return false;
    std::string letter = dictionary->objectForKey("key0").string().utf8();
    if (letter != "A" && letter != "B")
        return false;
    for (const auto& [key, value] : dictionary->entries()) {
        if (value.string().utf8() != letter)
            return false;
    }
    return true;
}

TEST(NSMutableDictionary, AtomicWriteKilledAtAnyMomentLeavesTheOldOrTheNewFile)
{
    std::string path = settingsPath();
    constexpr int entries = 4000;
    ASSERT_TRUE(uniformDictionary("A", entries)->writeToFile(path, true));
    auto a = uniformDictionary("A", entries);
    auto b = uniformDictionary("B", entries);
    for (int attempt = 0; attempt < 40; ++attempt) {
        auto writer = ChildProcess::run([&] {
            for (int round = 0;; ++round)
                (void)(round % 2 ? a : b)->writeToFile(path, true);
            return 0;
        });
        ::usleep(static_cast<useconds_t>(1000 + (attempt * 797) % 9000));
        writer.kill(SIGKILL);
        writer.waitForExit();
        ASSERT_TRUE(holdsWholeUniformDictionary(path, entries)) << "after kill " << attempt;
    }
}

TEST(NSMutableDictionary, AtomicWriteRemovesWhatKilledWritesOfTheSameFileLeftAndNothingElse)
{
    std::string path = settingsPath();
    std::filesystem::path folder = std::filesystem::path(path).parent_path();
    std::string name = std::filesystem::path(path).filename().string();
    constexpr int entries = 4000;
    auto a = uniformDictionary("A", entries);
    ASSERT_TRUE(a->writeToFile(path, true));
    auto hiddenFiles = [&] {
        std::vector<std::string> found;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            if (entry.path().filename().string().starts_with("." + name + "."))
                found.push_back(entry.path().filename().string());
        }
        return found;
    };
    // Kill writers as soon as they write their temporary file, until one is left behind.
    for (int attempt = 0; attempt < 100 && hiddenFiles().empty(); ++attempt) {
        DirectoryWatch watch(folder.string());
        auto writer = ChildProcess::run([&] {
            for (;;)
                (void)a->writeToFile(path, true);
            return 0;
        });
        ASSERT_TRUE(watch.waitForWriteTo("." + name + ".")) << "the writer wrote no temporary file";
        writer.kill(SIGKILL);
        writer.waitForExit();
    }
    std::vector<std::string> leftovers = hiddenFiles();
    ASSERT_EQ(leftovers.size(), 1u);

    // Files that only look alike: another file's, the user's own, a link out.
    std::string outside = DeviceRoot::path() + "/outside.txt";
    writeBytes(outside, "keep");
    const std::string lookalikes[] = { ".other.plist.123.abcdef", "." + name + ".bak", "." + name + ".1.abc",
        "." + name + ".x1.abcdef" };
    for (const std::string& lookalike : lookalikes)
        writeBytes((folder / lookalike).string(), "keep");
    std::string link = "." + name + ".2.ABCDEF";
    std::filesystem::create_symlink(outside, folder / link);

    ASSERT_TRUE(uniformDictionary("B", entries)->writeToFile(path, true));
    EXPECT_FALSE(std::filesystem::exists(folder / leftovers.front()));
    for (const std::string& lookalike : lookalikes)
        EXPECT_EQ(readBytes((folder / lookalike).string()), "keep") << lookalike;
    EXPECT_TRUE(std::filesystem::is_symlink(folder / link));
    EXPECT_EQ(readBytes(outside), "keep");
    EXPECT_TRUE(holdsWholeUniformDictionary(path, entries));
}

TEST(NSMutableDictionary, FailedWriteIsReportedAndLeavesTheOldFileWhole)
{
    std::string path = settingsPath();
    ASSERT_TRUE(uniformDictionary("A", 10)->writeToFile(path, true));
    std::string before = readBytes(path);

    // The file system refuses the new contents part-way (a file size limit).
    int status = ChildProcess::run([&] {
        ::signal(SIGXFSZ, SIG_IGN);
        struct rlimit limit {
            256, 256
        };
        ::setrlimit(RLIMIT_FSIZE, &limit);
        auto written = uniformDictionary("B", 1000)->writeToFile(path, true);
        return written ? 1 : 0;
    }).waitForExit();
    EXPECT_EQ(status, 0) << "the write should have been reported as failed";
    EXPECT_EQ(readBytes(path), before);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(std::filesystem::path(path).parent_path()),
                  std::filesystem::directory_iterator()),
        1);
}

// A saved file keeps the permissions of the one it replaces, but its owner
// can always read it back.
TEST(NSMutableDictionary, AtomicWriteKeepsTheModeButNeverShutsTheOwnerOut)
{
    std::string path = settingsPath();
    for (auto [before, after] :
        { std::pair<mode_t, mode_t> { 0640, 0640 }, { 0000, 0600 }, { 0044, 0644 }, { 0200, 0600 } }) {
        ASSERT_TRUE(uniformDictionary("A", 1)->writeToFile(path, true));
        ::chmod(path.c_str(), before);
        ASSERT_TRUE(uniformDictionary("B", 1)->writeToFile(path, true));
        struct stat status { };
        ASSERT_EQ(::stat(path.c_str(), &status), 0);
        EXPECT_EQ(status.st_mode & 07777, after) << std::oct << before;
    }
}

TEST(NSMutableDictionary, WriteIntoAReadOnlyFolderIsReportedAndLeavesTheOldFileWhole)
{
    std::string path = settingsPath();
    std::string folder = std::filesystem::path(path).parent_path();
    ASSERT_TRUE(uniformDictionary("A", 10)->writeToFile(path, true));
    std::string before = readBytes(path);
    ::chmod(folder.c_str(), 0555);

    // The superuser writes anywhere; try as an ordinary user then.
    int status = ChildProcess::run([&] {
        if (::geteuid() == 0) {
            for (std::filesystem::path up = folder; up.string().size() >= DeviceRoot::path().size();
                 up = up.parent_path())
                ::chmod(up.c_str(), up == folder ? 0555 : 0755);
            ::chmod(path.c_str(), 0644);
            if (::setgid(65534) != 0 || ::setuid(65534) != 0)
                return 2;
        }
        bool atomicFailed = !uniformDictionary("B", 10)->writeToFile(path, true);
        return atomicFailed ? 0 : 1;
    }).waitForExit();
    ::chmod(folder.c_str(), 0755);
    EXPECT_EQ(status, 0) << "the write should have been reported as failed";
    EXPECT_EQ(readBytes(path), before);
}

} // namespace
