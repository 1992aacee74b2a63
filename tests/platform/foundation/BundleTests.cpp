#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/NSBundle.h"
#include "platform/foundation/NSLocale.h"
#include "platform/foundation/PropertyList.h"
#include "platform/runtime/Message.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

namespace {

std::string makeBundle()
{
    std::string path = DeviceRoot::devicePath("/Library/PreferenceBundles/Example.bundle");
    std::filesystem::create_directories(path + "/en.lproj");
    std::filesystem::create_directories(path + "/de.lproj");
    auto info = NSMutableDictionary::dictionary();
    info->setObject("com.example.pane", "CFBundleIdentifier");
    info->setObject("ExampleController", "NSPrincipalClass");
    EXPECT_TRUE(info->writeToFile(path + "/Info.plist", true));
    auto english = NSMutableDictionary::dictionary();
    english->setObject("Gesture", "GESTURE");
    english->setObject("Only in English", "ENGLISH_ONLY");
    EXPECT_TRUE(english->writeToFile(path + "/en.lproj/Localizable.strings", true));
    auto german = NSMutableDictionary::dictionary();
    german->setObject("Geste", "GESTURE");
    EXPECT_TRUE(PropertyList::writeFile(
        *german, path + "/de.lproj/Localizable.strings", PropertyList::Format::Binary, true));
    auto extra = NSMutableDictionary::dictionary();
    extra->setObject("From another table", "GESTURE");
    EXPECT_TRUE(extra->writeToFile(path + "/en.lproj/Extra.strings", true));
    std::ofstream(path + "/Heart.png") << "png";
    std::ofstream(path + "/en.lproj/Only.txt") << "text";
    return path;
}

TEST(NSBundle, OpensOnlyFolders)
{
    std::string path = makeBundle();
    EXPECT_TRUE(NSBundle::bundleWithPath(path));
    EXPECT_EQ(NSBundle::bundleWithPath(path + "/")->bundlePath().utf8(), path);
    EXPECT_FALSE(NSBundle::bundleWithPath(path + "/Heart.png"));
    EXPECT_FALSE(NSBundle::bundleWithPath(path + "/Missing.bundle"));
    EXPECT_FALSE(NSBundle::bundleWithPath(""));
}

TEST(NSBundle, ReadsItsInfoDictionary)
{
    auto bundle = NSBundle::bundleWithPath(makeBundle());
    EXPECT_EQ(bundle->bundleIdentifier().utf8(), "com.example.pane");
    EXPECT_EQ(
        bundle->infoDictionary()->objectForKey("NSPrincipalClass").string().utf8(), "ExampleController");

    std::string bare = DeviceRoot::devicePath("/Bare.bundle");
    std::filesystem::create_directories(bare);
    auto withoutInfo = NSBundle::bundleWithPath(bare);
    EXPECT_EQ(withoutInfo->infoDictionary()->count(), 0u);
    EXPECT_TRUE(withoutInfo->bundleIdentifier().isNil());
}

TEST(NSBundle, FindsResourcesAtTheTopAndInLocalisationFolders)
{
    std::string path = makeBundle();
    auto bundle = NSBundle::bundleWithPath(path);
    EXPECT_EQ(bundle->pathForResource("Heart", "png").utf8(), path + "/Heart.png");
    EXPECT_EQ(bundle->pathForResource("Heart.png", NSString()).utf8(), path + "/Heart.png");
    EXPECT_EQ(bundle->pathForResource("Only", "txt").utf8(), path + "/en.lproj/Only.txt");
    EXPECT_TRUE(bundle->pathForResource("Missing", "png").isNil());
    // A resource name never leads out of the bundle.
    EXPECT_TRUE(bundle->pathForResource("../Example.bundle/Heart", "png").isNil());
    EXPECT_TRUE(bundle->pathForResource("en.lproj", NSString()).isNil());
}

TEST(NSBundle, LocalizedStringsComeFromTheLocalesTableAndFallBackToTheKey)
{
    auto bundle = NSBundle::bundleWithPath(makeBundle());
    EXPECT_EQ(bundle->localizedStringForKey("GESTURE", NSString(), NSString()).utf8(), "Gesture");
    EXPECT_EQ(bundle->localizedStringForKey("GESTURE", "", "Extra").utf8(), "From another table");
    EXPECT_EQ(bundle->localizedStringForKey("MISSING", NSString(), NSString()).utf8(), "MISSING");
    EXPECT_EQ(bundle->localizedStringForKey("MISSING", "Fallback", NSString()).utf8(), "Fallback");
    EXPECT_EQ(bundle->localizedStringForKey("MISSING", "", "NoSuchTable").utf8(), "MISSING");

    NSLocale::setCurrentLocaleIdentifier("de_DE");
    EXPECT_EQ(bundle->localizedStringForKey("GESTURE", NSString(), NSString()).utf8(), "Geste");
    // The first localisation that has the table answers alone.
    EXPECT_EQ(bundle->localizedStringForKey("ENGLISH_ONLY", NSString(), NSString()).utf8(), "ENGLISH_ONLY");
}

TEST(NSBundle, AMissingBundleAnswersNothing)
{
    RefPtr<NSBundle> missing = NSBundle::bundleWithPath(DeviceRoot::devicePath("/Library/Absent.bundle"));
    EXPECT_TRUE(
        send(missing, sel::localizedStringForKeyValueTable, NSString("KEY"), NSString(), NSString()).isNil());
    EXPECT_TRUE(send(missing, sel::pathForResourceOfType, NSString("Heart"), NSString("png")).isNil());
    auto present = NSBundle::bundleWithPath(makeBundle());
    EXPECT_EQ(
        send(present, sel::localizedStringForKeyValueTable, NSString("KEY"), NSString(), NSString()).utf8(),
        "KEY");
}

TEST(NSLocale, CurrentLocaleIsSettableAndDefaultsToUnitedStatesEnglish)
{
    EXPECT_EQ(NSLocale::currentLocaleIdentifier().utf8(), "en_US");
    EXPECT_EQ(NSLocale::currentLanguageCode().utf8(), "en");
    NSLocale::setCurrentLocaleIdentifier("fr_CA");
    EXPECT_EQ(NSLocale::currentLocaleIdentifier().utf8(), "fr_CA");
    EXPECT_EQ(NSLocale::currentLanguageCode().utf8(), "fr");
    NSLocale::setCurrentLocaleIdentifier("");
    EXPECT_EQ(NSLocale::currentLocaleIdentifier().utf8(), "en_US");
}

TEST(DeviceRoot, OverrideThenEnvironmentThenTheBuildsFolder)
{
    std::string testRoot = DeviceRoot::path();
    EXPECT_EQ(DeviceRoot::devicePath("/var/mobile/Library/Preferences/x.plist"),
        testRoot + "/var/mobile/Library/Preferences/x.plist");

    DeviceRoot::clearOverride();
    ::setenv(DeviceRoot::environmentVariable, "/srv/device/", 1);
    EXPECT_EQ(DeviceRoot::path(), "/srv/device");
    ::unsetenv(DeviceRoot::environmentVariable);
    EXPECT_EQ(DeviceRoot::path(), CORVANE_BUILD_DEVICE_ROOT);
    DeviceRoot::setOverride(testRoot);
    EXPECT_EQ(DeviceRoot::path(), testRoot);
}

TEST(DeviceRoot, DevicePathsStayInsideTheRoot)
{
    EXPECT_EQ(DeviceRoot::devicePathIn("/root", "/../../etc/passwd"), "/root/etc/passwd");
    EXPECT_EQ(DeviceRoot::devicePathIn("/root", "var/./mobile//x"), "/root/var/mobile/x");
    EXPECT_EQ(DeviceRoot::devicePathIn("/", "/Library/x"), "/Library/x");
}

} // namespace
