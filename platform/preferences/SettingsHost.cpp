#include "platform/preferences/SettingsHost.h"

#include "platform/foundation/DeviceRoot.h"
#include "platform/foundation/PropertyList.h"
#include "platform/uikit/UIApplication.h"

#include <algorithm>
#include <dlfcn.h>
#include <filesystem>

namespace {

NSString stringEntry(NSMutableDictionary* dictionary, std::string_view key)
{
    return dictionary ? dictionary->objectForKey(key).string() : NSString();
}

bool isPlainFileName(const NSString& name)
{
    const std::string& text = name.utf8();
    return !name.isNil() && !text.empty() && text.find('/') == std::string::npos && text != "."
        && text != "..";
}

// A black bar with the time, as the top of the phone's screen.
RefPtr<UIView> makeStatusBar(CGFloat width)
{
    auto bar = UIView::make(CGRectMake(0, 0, width, SettingsHost::statusBarHeight));
    bar->setBackgroundColor(CGColor::white(0));
    bar->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    auto clock = UILabel::make(bar->bounds());
    clock->setText("9:41 AM");
    clock->setFont(UIFont::boldSystemFontOfSize(14));
    clock->setTextColor(UIColor::whiteColor());
    clock->setBackgroundColor(UIColor::clearColor().get());
    clock->setTextAlignment(UITextAlignmentCenter);
    clock->setAutoresizingMask(UIViewAutoresizingFlexibleWidth);
    bar->addSubview(clock);
    return bar;
}

} // namespace

SettingsHost::SettingsHost(CGSize screenSize)
    : m_window(UIWindow::make({ { 0, 0 }, screenSize }))
    , m_listController(makeRef<SettingsListController>())
{
    CGSize content { screenSize.width, screenSize.height - statusBarHeight - UINavigationBar::barHeight };
    send(m_listController.get(), sel::initForContentSize, content);
    m_rootController = makeRef<PSRootController>(m_listController.get());
    send(m_listController.get(), sel::setRootController, m_rootController.get());

    UIView* stack = m_rootController->view();
    stack->setFrame({ { 0, statusBarHeight }, { screenSize.width, screenSize.height - statusBarHeight } });
    m_window->addSubview(makeStatusBar(screenSize.width));
    send(m_rootController.get(), sel::viewWillAppear, false);
    m_window->addSubview(RefPtr(stack));
    send(m_rootController.get(), sel::viewDidAppear, false);
    m_window->makeKeyAndVisible();
}

std::vector<std::string> SettingsHost::loadPanes()
{
    std::vector<std::string> errors;
    std::vector<std::string> entryFiles;
    std::error_code error;
    for (const auto& file :
        std::filesystem::directory_iterator(DeviceRoot::devicePath(entriesFolder), error)) {
        if (file.path().extension() == ".plist")
            entryFiles.push_back(file.path().string());
    }
    std::sort(entryFiles.begin(), entryFiles.end());
    std::vector<SettingsPaneEntry> panes;
    for (const std::string& entryFile : entryFiles) {
        std::string problem = loadPane(entryFile, panes);
        if (!problem.empty())
            errors.push_back(std::filesystem::path(entryFile).filename().string() + ": " + problem);
    }
    m_listController->setPanes(std::move(panes));
    return errors;
}

// The steps for one entry: read it, find the bundle, load its executable,
// look up its principal class.
std::string SettingsHost::loadPane(const std::string& entryPath, std::vector<SettingsPaneEntry>& panes)
{
    auto root = PropertyList::readFile(entryPath);
    if (!root)
        return "the entry cannot be read";
    NSMutableDictionary* top = root.value().dictionary();
    NSMutableDictionary* entry = top ? top->objectForKey("entry").dictionary() : nullptr;
    NSString bundleName = stringEntry(entry, "bundle");
    if (!isPlainFileName(bundleName))
        return "the entry names no bundle";

    std::string bundleFolder = std::string(bundlesFolder) + "/" + bundleName.utf8() + ".bundle";
    RefPtr<NSBundle> bundle = NSBundle::bundleWithPath(DeviceRoot::devicePath(bundleFolder));
    if (!bundle)
        return "there is no bundle " + bundleFolder;
    NSString executable = stringEntry(bundle->infoDictionary(), "CFBundleExecutable");
    if (!isPlainFileName(executable))
        return "the bundle's Info.plist names no executable";
    std::string library = bundle->bundlePath().utf8() + "/" + executable.utf8();
    // Loaded for the rest of the process: the classes it registers stay.
    if (!dlopen(library.c_str(), RTLD_NOW | RTLD_GLOBAL))
        return std::string("the executable cannot be loaded: ") + dlerror();
    NSString principal = stringEntry(bundle->infoDictionary(), "NSPrincipalClass");
    Class* principalClass = principal.isNil() ? nullptr : objc_getClass(principal.utf8());
    if (!principalClass)
        return "the principal class " + (principal.isNil() ? std::string("(none)") : principal.utf8())
            + " is not there";

    SettingsPaneEntry pane;
    pane.label = stringEntry(entry, "label").isNil() ? bundleName : stringEntry(entry, "label");
    pane.cell = stringEntry(entry, "cell");
    pane.bundle = bundle;
    pane.principalClass = principalClass;
    NSString icon = stringEntry(entry, "icon");
    if (!icon.isNil())
        pane.icon = UIImage::imageNamedInBundle(icon, bundle.get());
    panes.push_back(std::move(pane));
    return {};
}

bool SettingsHost::openPane(const NSString& label)
{
    const auto& panes = m_listController->panes();
    auto found = std::find_if(
        panes.begin(), panes.end(), [&](const SettingsPaneEntry& pane) { return pane.label == label; });
    if (found == panes.end())
        return false;
    m_window->runDisplayPass();
    UITableView* table = m_listController->tableView();
    CGRect row = table->rectForRowAtIndexPath({ 0, static_cast<int>(found - panes.begin()) });
    UIViewController* before = topPage();
    m_window->tap(table->convertPointToView({ row.midX(), row.midY() }, m_window.get()));
    m_window->runDisplayPass();
    return topPage() != before;
}

bool SettingsHost::back()
{
    m_window->runDisplayPass();
    UIButton* button = m_rootController->navigationBar()->backButton();
    if (button->isHidden())
        return false;
    CGRect area = button->convertRectToView(button->bounds(), m_window.get());
    m_window->tap({ area.midX(), area.midY() });
    m_window->runDisplayPass();
    return true;
}
