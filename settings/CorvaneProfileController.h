#pragma once

#include "settings/PaneTablePage.h"

// The creators page: the designer's and the developer's rows and the maker's
// follow row; selecting one opens that profile on the social network's site.
class CorvaneProfileController final : public PaneTablePage {
public:
    static constexpr CGFloat profileRowHeight = 104.0F;
    static constexpr CGFloat followRowHeight = 44.0F;

    static Class* staticClass();

    CorvaneProfileController();

    NSObject* initForContentSize(CGSize size);
    NSString title() { return "Creators"; }
    NSString navigationTitle() { return "Creators"; }

    CGFloat tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath indexPath);
    RefPtr<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath indexPath);
    void tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath indexPath);
    NSString removeDashinStringReplaceWith(NSString string, NSString replacement);

private:
    RefPtr<NSMutableArray> m_handles;
};
