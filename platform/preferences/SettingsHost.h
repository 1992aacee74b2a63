#pragma once

#include "platform/PlatformExport.h"
#include "platform/preferences/PSRootController.h"
#include "platform/preferences/SettingsListController.h"
#include "platform/uikit/UIWindow.h"

#include <string>
#include <vector>

// The Settings application: a window with a status bar and a page stack that
// starts at the list of panes. Each pane is registered by a property list in
// the device's "/Library/PreferenceLoader/Preferences/" holding
//
//     entry = { bundle = "CorvanePref"; label = "Corvane"; cell = "PSLinkCell"; icon = "Icon.png"; }
//
// (XML or binary; icon optional). The bundle is
// "/Library/PreferenceBundles/<bundle>.bundle": its Info.plist names the
// executable (CFBundleExecutable), which is loaded, and the principal class
// (NSPrincipalClass), which is looked up by name and makes the pane's first
// page when its row is tapped.
class PLATFORM_EXPORT SettingsHost {
public:
    static constexpr CGFloat statusBarHeight = 20;
    static constexpr const char* entriesFolder = "/Library/PreferenceLoader/Preferences";
    static constexpr const char* bundlesFolder = "/Library/PreferenceBundles";
    // The Settings application's own bundle identifier, which injected
    // libraries' filters may name.
    static constexpr const char* bundleIdentifier = "com.apple.Preferences";

    explicit SettingsHost(CGSize screenSize = { 320, 480 });
    SettingsHost(const SettingsHost&) = delete;
    SettingsHost& operator=(const SettingsHost&) = delete;

    // Reads every entry and loads its bundle, in the order of the entry
    // files' names. A pane that cannot be loaded is left out of the list;
    // the answer says why, one line per pane.
    std::vector<std::string> loadPanes();

    UIWindow* window() const { return m_window.get(); }
    PSRootController* rootController() const { return m_rootController.get(); }
    SettingsListController* listController() const { return m_listController.get(); }
    // The page on top of the stack.
    UIViewController* topPage() const { return m_rootController->topViewController(); }

    // Taps the pane's row as a finger would; answers whether its page came up.
    bool openPane(const NSString& label);
    // The back button, as a finger would press it; false on the first page.
    bool back();

private:
    std::string loadPane(const std::string& entryPath, std::vector<SettingsPaneEntry>& panes);

    RefPtr<UIWindow> m_window;
    RefPtr<SettingsListController> m_listController;
    RefPtr<PSRootController> m_rootController;
};
