#pragma once

#include "platform/foundation/NSMutableArray.h"
#include "platform/preferences/PSViewController.h"
#include "platform/uikit/UITableView.h"

// The creators page: the designer's and the developer's rows and the maker's
// follow row; selecting one opens that profile on the social network's site.
class CorvaneProfileController final : public PSViewController {
public:
    static constexpr CGFloat profileRowHeight = 104.0F;
    static constexpr CGFloat followRowHeight = 44.0F;

    static Class* staticClass();

    CorvaneProfileController();
    ~CorvaneProfileController() override;

    NSObject* initForContentSize(CGSize size);
    UIView* view() { return m_tableView.get(); }
    UITableView* table() { return m_tableView.get(); }
    NSString title() { return "Creators"; }
    NSString navigationTitle() { return "Creators"; }
    NSObject* preferences() { return nullptr; }
    CGSize contentSize();

    int numberOfSectionsInTableView(UITableView* table);
    int tableViewNumberOfRowsInSection(UITableView* table, int section);
    NSString tableViewTitleForHeaderInSection(UITableView* table, int section);
    CGFloat tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath indexPath);
    RefPtr<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath indexPath);
    void tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath indexPath);
    NSString removeDashinStringReplaceWith(NSString string, NSString replacement);

private:
    RefPtr<UITableView> m_tableView;
    RefPtr<NSMutableArray> m_items;
    RefPtr<NSMutableArray> m_handles;
};
