// The pane as the Settings host sees it: the built bundle and entry, loaded
// by path into a host that does not link the pane, and a settings change
// crossing into another process the way a running keyboard follows it.
#include "contracts/CorvaneContract.h"
#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PropertyList.h"
#include "platform/preferences/SettingsHost.h"
#include "platform/uikit/UIImageView.h"
#include "tests/settings/ExtensionKeyboardProcess.h"
#include "tests/support/ChildProcess.h"

#include <filesystem>
#include <gtest/gtest.h>

namespace {

constexpr const char* bundleFolder = "/Library/PreferenceBundles/CorvanePref.bundle";
constexpr const char* entryFile = "/Library/PreferenceLoader/Preferences/CorvanePref.plist";
constexpr const char* settingsFile = contract::settingsFilePath;
constexpr const char* substrateFolder = "/Library/MobileSubstrate/DynamicLibraries";

std::string built(const char* deviceAbsolutePath)
{
    return DeviceRoot::devicePathIn(CORVANE_BUILD_DEVICE_ROOT, deviceAbsolutePath);
}

NSMutableDictionary* dictionaryIn(const ErrorOr<Value>& list)
{
    return list ? list.value().dictionary() : nullptr;
}

// The built bundle and entry, placed in the test's device root as a package
// would install them, with the folder the settings file goes to.
void installPane()
{
    std::filesystem::path bundle = DeviceRoot::devicePath(bundleFolder);
    std::filesystem::create_directories(bundle.parent_path());
    std::filesystem::create_directory_symlink(built(bundleFolder), bundle);
    std::filesystem::path entry = DeviceRoot::devicePath(entryFile);
    std::filesystem::create_directories(entry.parent_path());
    std::filesystem::copy_file(built(entryFile), entry);
    std::filesystem::create_directories(
        std::filesystem::path(DeviceRoot::devicePath(settingsFile)).parent_path());
}

// The built keyboard extension and its filter, where the injection loader looks.
void installExtension()
{
    std::filesystem::path folder = DeviceRoot::devicePath(substrateFolder);
    std::filesystem::create_directories(folder);
    for (const char* file : { "Corvane.dylib", "Corvane.plist" })
        std::filesystem::copy_file(built(substrateFolder) + ("/" + std::string(file)), folder / file);
}

UIView* firstSubviewOfClass(UIView* view, const char* className)
{
    for (std::size_t index = 0; index < view->subviewCount(); ++index) {
        UIView* child = view->subviewAtIndex(index);
        if (child->className() == className)
            return child;
        if (UIView* found = firstSubviewOfClass(child, className))
            return found;
    }
    return nullptr;
}

void tapCentre(SettingsHost& host, UIView* view)
{
    host.window()->runDisplayPass();
    CGRect area = view->convertRectToView(view->bounds(), host.window());
    host.window()->tap({ area.midX(), area.midY() });
    host.window()->runDisplayPass();
}

TEST(PaneBundle, TheBuildLaysOutTheBundleAndTheEntryTheHostReads)
{
    NSMutableDictionary* info = nullptr;
    auto infoList = PropertyList::readFile(built(bundleFolder) + std::string("/Info.plist"));
    info = dictionaryIn(infoList);
    ASSERT_NE(info, nullptr);
    EXPECT_EQ(info->objectForKey("CFBundleExecutable").string(), NSString("CorvanePref"));
    EXPECT_EQ(info->objectForKey("NSPrincipalClass").string(), NSString("CorvanePrefController"));
    EXPECT_TRUE(std::filesystem::is_regular_file(built(bundleFolder) + std::string("/CorvanePref")));
    for (const char* image : { "Corvane", "CorvaneHighlighted", "TheCreators", "TheCreatorsHighlighted",
             "QuillfenSupport", "QuillfenSupportHighlighted", "GroupLogo", "Heart", "Twitter",
             "TwitterHighlighted", "FollowQuillfen", "Sable", "Jonah" }) {
        for (const char* suffix : { ".png", "@2x.png" })
            EXPECT_TRUE(
                std::filesystem::is_regular_file(built(bundleFolder) + ("/" + std::string(image) + suffix)))
                << image << suffix;
    }

    auto entryList = PropertyList::readFile(built(entryFile));
    NSMutableDictionary* top = dictionaryIn(entryList);
    ASSERT_NE(top, nullptr);
    NSMutableDictionary* entry = top->objectForKey("entry").dictionary();
    ASSERT_NE(entry, nullptr);
    EXPECT_EQ(entry->objectForKey("bundle").string(), NSString("CorvanePref"));
    EXPECT_EQ(entry->objectForKey("label").string(), NSString("Corvane"));
    EXPECT_EQ(entry->objectForKey("cell").string(), NSString("PSLinkCell"));
}

TEST(PaneBundle, TheSettingsHostLoadsThePaneAndOpensItsFirstPage)
{
    installPane();
    SettingsHost host;
    EXPECT_TRUE(host.loadPanes().empty());
    ASSERT_EQ(host.listController()->panes().size(), 1u);
    const SettingsPaneEntry& pane = host.listController()->panes().front();
    EXPECT_EQ(pane.label, NSString("Corvane"));
    EXPECT_NE(pane.icon, nullptr);
    ASSERT_NE(pane.principalClass, nullptr);
    EXPECT_EQ(pane.principalClass->name(), "CorvanePrefController");

    ASSERT_TRUE(host.openPane("Corvane"));
    UIViewController* page = host.topPage();
    EXPECT_EQ(page->className(), "CorvanePrefController");
    EXPECT_NE(runtimeCast<UIImageView>(page->navigationItem()->titleView()), nullptr);
    UITableView* table = send(page, sel::table);
    ASSERT_NE(table, nullptr);
    EXPECT_EQ(table->numberOfSections(), 5);
    EXPECT_NE(firstSubviewOfClass(table, "CorvaneSettingButton"), nullptr);
}

// An application process with the keyboard extension injected types what
// each setting chosen in the pane asks for, and the file holds the last one.
TEST(PaneBundle, TheInjectedKeyboardInAnotherProcessFollowsEachToggle)
{
    installPane();
    installExtension();
    PipeSignal answers;
    PipeSignal quit;
    auto application = ChildProcess::run([&] { return runExtensionKeyboardProcess(answers, quit); });
    ASSERT_EQ(answers.wait(), 'F') << "without a settings file the gesture is Flick up";

    SettingsHost host;
    ASSERT_TRUE(host.loadPanes().empty());
    ASSERT_TRUE(host.openPane("Corvane"));
    UITableView* table = send(host.topPage(), sel::table);
    UIView* gestureWord = firstSubviewOfClass(table, "CorvaneSettingButton");
    ASSERT_NE(gestureWord, nullptr);

    tapCentre(host, gestureWord);
    EXPECT_EQ(answers.wait(), 'S') << "Slide up: the short gesture types the alternate";
    tapCentre(host, gestureWord);
    EXPECT_EQ(answers.wait(), 'F') << "Flick up again: the short gesture types the key";
    quit.send('Q');
    EXPECT_EQ(application.waitForExit(), 0);

    auto settings = NSMutableDictionary::dictionaryWithContentsOfFile(DeviceRoot::devicePath(settingsFile));
    ASSERT_TRUE(settings);
    EXPECT_EQ(settings->objectForKey(contract::gestureKey), Value(1));
}

} // namespace
