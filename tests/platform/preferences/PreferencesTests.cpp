#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PropertyList.h"
#include "platform/preferences/SettingsHost.h"

#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>

namespace {

RefPtr<NSMutableDictionary> dictionaryOf(std::initializer_list<std::pair<const char*, Value>> entries)
{
    auto dictionary = NSMutableDictionary::dictionary();
    for (auto& [key, value] : entries)
        dictionary->setObject(value, key);
    return dictionary;
}

void writeList(const RefPtr<NSMutableDictionary>& list, const std::string& deviceAbsolutePath)
{
    std::string path = DeviceRoot::devicePath(deviceAbsolutePath);
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    ASSERT_TRUE(PropertyList::writeFile(*list, path, PropertyList::Format::XML, true));
}

// Installs the tiny pane as a device has a pane installed: the entry, the
// bundle's Info.plist and its executable.
void installTinyPane(const char* principalClass = "TinyPaneController")
{
    writeList(dictionaryOf({ { "entry",
                  Value(dictionaryOf(
                      { { "bundle", "TinyPane" }, { "label", "Tiny" }, { "cell", "PSLinkCell" } })) } }),
        "/Library/PreferenceLoader/Preferences/TinyPane.plist");
    writeList(dictionaryOf({ { "CFBundleExecutable", "TinyPane" }, { "NSPrincipalClass", principalClass } }),
        "/Library/PreferenceBundles/TinyPane.bundle/Info.plist");
    std::filesystem::copy_file(CORVANE_TINY_PANE_LIBRARY,
        DeviceRoot::devicePath("/Library/PreferenceBundles/TinyPane.bundle/TinyPane"));
}

// The screens are kept for a look when CORVANE_SNAPSHOT_DIR names a folder.
void keepSnapshot(UIWindow* window, const char* name)
{
    if (const char* folder = std::getenv("CORVANE_SNAPSHOT_DIR")) {
        EXPECT_TRUE(window->writeSnapshotPNG(std::string(folder) + "/" + name + ".png"));
    }
}

class Preferences : public testing::Test {
protected:
    void TearDown() override { runtimeRestoreRegisteredMethods(); }
};

TEST_F(Preferences, PagePushedThroughItsParentControllerGetsABackButtonAndPops)
{
    auto list = makeRef<PSViewController>();
    send(list.get(), sel::initForContentSize, CGSizeMake(320, 416));
    auto stack = makeRef<PSRootController>(list.get());
    auto window = UIWindow::make(CGRectMake(0, 0, 320, 460));
    stack->view()->setFrame(window->bounds());
    window->addSubview(RefPtr(stack->view()));
    EXPECT_EQ(send(list.get(), sel::rootController), stack.get());

    RefPtr<NSObject> main = send(PSViewController::staticClass(), sel::alloc);
    ASSERT_EQ(send(main.get(), sel::initForContentSize, CGSizeMake(320, 416)), main.get());
    send(list.get(), sel::pushController, main.get());
    EXPECT_EQ(send(main.get(), sel::parentController), list.get());
    EXPECT_EQ(stack->topViewController(), main.get());

    // The page makes the next one and asks its parent to show it.
    RefPtr<NSObject> creators = send(PSViewController::staticClass(), sel::alloc);
    send(creators.get(), sel::initForContentSize, send(main.get(), sel::contentSize));
    send(creators.get(), sel::setRootController, main.get());
    send(send(main.get(), sel::parentController), sel::pushController, creators.get());
    EXPECT_EQ(stack->topViewController(), creators.get());
    EXPECT_EQ(send(creators.get(), sel::rootController), main.get());
    EXPECT_EQ(send(creators.get(), sel::contentSize), CGSizeMake(320, 416));
    window->runDisplayPass();
    EXPECT_FALSE(stack->navigationBar()->backButton()->isHidden());

    send(creators.get(), sel::popController);
    EXPECT_EQ(stack->topViewController(), main.get());
    EXPECT_EQ(send(main.get(), sel::preferences), nullptr);
}

TEST_F(Preferences, HostLoadsThePaneByItsPrincipalClassAndOpensItFromItsRow)
{
    installTinyPane();
    SettingsHost host;
    EXPECT_TRUE(host.loadPanes().empty());
    ASSERT_EQ(host.listController()->panes().size(), 1U);
    EXPECT_EQ(host.listController()->panes()[0].label, NSString("Tiny"));
    EXPECT_NE(objc_getClass("TinyPaneController"), nullptr);
    host.window()->runDisplayPass();
    UITableViewCell* row = host.listController()->tableView()->cellForRowAtIndexPath({ 0, 0 });
    ASSERT_NE(row, nullptr);
    EXPECT_EQ(row->textLabel()->text(), NSString("Tiny"));
    keepSnapshot(host.window(), "settings-list");

    ASSERT_TRUE(host.openPane("Tiny"));
    keepSnapshot(host.window(), "settings-pane");
    UIViewController* page = host.topPage();
    EXPECT_EQ(page->className(), "TinyPaneController");
    EXPECT_EQ(send(page, sel::contentSize), CGSizeMake(320, 416));
    EXPECT_EQ(send(page, sel::parentController), host.listController());
    EXPECT_EQ(page->view()->frame(), CGRectMake(0, 44, 320, 416));
    // The list's own view has left the screen.
    EXPECT_EQ(host.listController()->tableView()->window(), nullptr);
    EXPECT_EQ(host.rootController()->navigationBar()->titleLabel()->text(), NSString("Tiny"));
    EXPECT_FALSE(host.listController()->tableView()->indexPathForSelectedRow());

    EXPECT_TRUE(host.back());
    EXPECT_EQ(host.topPage(), host.listController());
    EXPECT_FALSE(host.back());
}

TEST_F(Preferences, PanesThatCannotLoadAreLeftOutWithTheReason)
{
    installTinyPane("NoSuchController");
    writeList(dictionaryOf({ { "entry", Value(dictionaryOf({ { "bundle", "Absent" } })) } }),
        "/Library/PreferenceLoader/Preferences/Absent.plist");
    writeList(dictionaryOf({ { "entry", Value(dictionaryOf({ { "bundle", "../../etc" } })) } }),
        "/Library/PreferenceLoader/Preferences/Climbing.plist");
    SettingsHost host;
    std::vector<std::string> errors = host.loadPanes();
    ASSERT_EQ(errors.size(), 3U);
    EXPECT_NE(errors[0].find("Absent.plist"), std::string::npos);
    EXPECT_NE(errors[1].find("names no bundle"), std::string::npos);
    EXPECT_NE(errors[2].find("NoSuchController"), std::string::npos);
    EXPECT_TRUE(host.listController()->panes().empty());
    EXPECT_FALSE(host.openPane("Tiny"));
}

} // namespace
