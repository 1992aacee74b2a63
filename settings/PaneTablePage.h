#pragma once

#include "platform/foundation/NSMutableArray.h"
#include "platform/preferences/PSViewController.h"
#include "platform/uikit/UIImage.h"
#include "platform/uikit/UITableView.h"

// What every page of the pane is built on: a grouped table that is the
// page's only view, one row in each section, one title per section in
// items and no section headers. The pages register their own allocators
// and the messages that differ between them.
class PaneTablePage : public PSViewController {
public:
    static Class* staticClass();

    UIView* view() { return m_tableView.get(); }
    UITableView* table() { return m_tableView.get(); }
    NSObject* preferences() { return nullptr; }
    CGSize contentSize();

    int numberOfSectionsInTableView(UITableView* table);
    int tableViewNumberOfRowsInSection(UITableView* table, int section);
    NSString tableViewTitleForHeaderInSection(UITableView* table, int section);

protected:
    explicit PaneTablePage(Class* cls);
    ~PaneTablePage() override;

    // Initialises the base page (with the size where PSViewController takes
    // one) and makes the page's grouped table of that size, this page its
    // data source and delegate; false when the base yields nothing.
    bool initTablePageForContentSize(CGSize size);

    // An image from the pane's own bundle; nothing when it is missing.
    static RefPtr<UIImage> paneImage(const NSString& name);

    RefPtr<UITableView> m_tableView;
    RefPtr<NSMutableArray> m_items;
};
