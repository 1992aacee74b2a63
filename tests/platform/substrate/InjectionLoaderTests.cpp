#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSMutableArray.h"
#include "platform/foundation/NSMutableDictionary.h"
#include "platform/foundation/PropertyList.h"
#include "platform/substrate/InjectionLoader.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string librariesFolder()
{
    std::string folder = DeviceRoot::devicePath("/Library/MobileSubstrate/DynamicLibraries");
    std::filesystem::create_directories(folder);
    return folder;
}

RefPtr<NSMutableArray> strings(std::initializer_list<const char*> values)
{
    auto array = NSMutableArray::array();
    for (const char* value : values)
        array->addObject(value);
    return array;
}

// Installs a copy of the test library under `name`, with a filter plist
// holding `rules` (none when null).
void install(const std::string& name, RefPtr<NSMutableDictionary> rules,
    PropertyList::Format format = PropertyList::Format::XML)
{
    std::string base = librariesFolder() + "/" + name;
    std::filesystem::copy_file(CORVANE_INJECTION_TEST_LIBRARY, base + ".dylib");
    if (!rules)
        return;
    auto filter = NSMutableDictionary::dictionary();
    filter->setObject(rules, "Filter");
    ASSERT_TRUE(PropertyList::writeFile(*filter, base + ".plist", format, true));
}

RefPtr<NSMutableDictionary> rules(std::initializer_list<std::pair<const char*, Value>> entries)
{
    auto dictionary = NSMutableDictionary::dictionary();
    for (const auto& [key, value] : entries)
        dictionary->setObject(value, key);
    return dictionary;
}

std::vector<std::string> initialisersRun()
{
    std::ifstream log(DeviceRoot::devicePath("/tmp/injection.log"));
    std::vector<std::string> lines;
    for (std::string line; std::getline(log, line);)
        lines.push_back(line);
    return lines;
}

const HostProcess settingsHost { "com.apple.Preferences", "Preferences", { "com.apple.UIKit" } };

TEST(InjectionLoader, LoadsTheLibrariesWhoseFilterMatchesTheHost)
{
    install("ByFramework", rules({ { "Bundles", strings({ "com.apple.UIKit" }) } }));
    install("ByOwnBundle", rules({ { "Bundles", strings({ "com.apple.Preferences" }) } }),
        PropertyList::Format::Binary);
    install("ByExecutable", rules({ { "Executables", strings({ "MobileNotes", "Preferences" }) } }));
    install("ByClass", rules({ { "Classes", strings({ "NSObject" }) } }));
    install("OtherBundle", rules({ { "Bundles", strings({ "com.apple.springboard" }) } }));
    install("UnknownClass", rules({ { "Classes", strings({ "NoSuchClass" }) } }));
    install("AllMustMatch",
        rules({ { "Bundles", strings({ "com.apple.UIKit" }) },
            { "Executables", strings({ "MobileNotes" }) } }));
    install("AnyMayMatch",
        rules({ { "Bundles", strings({ "com.apple.UIKit" }) }, { "Executables", strings({ "MobileNotes" }) },
            { "Mode", "Any" } }));
    install("EmptyFilter", rules({}));
    install("NoFilter", nullptr);

    InjectionReport report = loadInjectedLibraries(settingsHost);
    EXPECT_EQ(initialisersRun(),
        (std::vector<std::string> { "AnyMayMatch.dylib", "ByClass.dylib", "ByExecutable.dylib",
            "ByFramework.dylib", "ByOwnBundle.dylib" }));
    EXPECT_EQ(report.loaded.size(), 5u);
    EXPECT_TRUE(report.failed.empty());
}

TEST(InjectionLoader, EachLibraryIsLoadedOnceAndItsInitialiserRunsOnce)
{
    install("Keyboard", rules({ { "Bundles", strings({ "com.apple.UIKit" }) } }));
    EXPECT_EQ(loadInjectedLibraries(settingsHost).loaded.size(), 1u);
    EXPECT_TRUE(loadInjectedLibraries(settingsHost).loaded.empty());
    EXPECT_TRUE(loadInjectedLibraries({ "com.apple.mobilenotes", "MobileNotes", { "com.apple.UIKit" } })
                    .loaded.empty());
    EXPECT_EQ(initialisersRun(), (std::vector<std::string> { "Keyboard.dylib" }));
}

TEST(InjectionLoader, ALibraryThatCannotBeLoadedIsReportedAndTheOthersStillLoad)
{
    auto uikit = rules({ { "Bundles", strings({ "com.apple.UIKit" }) } });
    install("Good", uikit);
    std::ofstream(librariesFolder() + "/Broken.dylib") << "not a library";
    auto filter = NSMutableDictionary::dictionary();
    filter->setObject(uikit, "Filter");
    ASSERT_TRUE(filter->writeToFile(librariesFolder() + "/Broken.plist", true));
    std::ofstream(librariesFolder() + "/Garbled.plist") << "{ Filter = ";
    install("Garbled", nullptr);

    testing::internal::CaptureStderr();
    InjectionReport report = loadInjectedLibraries(settingsHost);
    std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("cannot load " + librariesFolder() + "/Broken.dylib"), std::string::npos) << errors;
    EXPECT_NE(errors.find("Garbled.dylib: its filter"), std::string::npos) << errors;
    ASSERT_EQ(report.failed.size(), 1u);
    EXPECT_EQ(report.failed[0], librariesFolder() + "/Broken.dylib");
    EXPECT_EQ(initialisersRun(), (std::vector<std::string> { "Good.dylib" }));
}

TEST(InjectionLoader, NoLibraryFolderLoadsNothing)
{
    EXPECT_TRUE(loadInjectedLibraries(settingsHost).loaded.empty());
}

} // namespace
