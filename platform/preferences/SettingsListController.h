#pragma once

#include "platform/PlatformExport.h"
#include "platform/preferences/PSViewController.h"
#include "platform/preferences/SettingsPaneEntry.h"
#include "platform/uikit/UITableView.h"

#include <string>
#include <vector>

// The Settings application's own first page: a grouped list with a row per
// loaded pane. Selecting a row makes the pane's first page (alloc, then
// initForContentSize: with this page's content size, both through the
// method table) and pushes it.
class PLATFORM_EXPORT SettingsListController final : public PSViewController {
public:
    static Class* staticClass();

    SettingsListController();

    void setPanes(std::vector<SettingsPaneEntry> panes);
    const std::vector<SettingsPaneEntry>& panes() const { return m_panes; }
    UITableView* tableView();
    // The page of the pane last opened, while it is alive.
    NSObject* openedPage() const { return m_openedPage.get(); }
    // Why the last pane could not be opened; empty when it could.
    const std::string& lastError() const { return m_lastError; }
    // Makes and pushes the pane's page; false (with lastError) when it cannot.
    bool openPane(std::size_t index);

    UIView* viewImpl();
    UITableView* tableImpl() { return tableView(); }
    NSString titleImpl() { return "Settings"; }
    int numberOfSections(UITableView*) { return 1; }
    int numberOfRows(UITableView*, int) { return static_cast<int>(m_panes.size()); }
    RefPtr<UITableViewCell> cellForRow(UITableView* table, NSIndexPath indexPath);
    void didSelectRow(UITableView* table, NSIndexPath indexPath);

private:
    RefPtr<UITableView> m_table;
    std::vector<SettingsPaneEntry> m_panes;
    WeakPtr<NSObject> m_openedPage;
    std::string m_lastError;
};
