#pragma once

#include "platform/foundation/NSNotification.h"
#include "platform/social/MFMailComposeViewController.h"
#include "settings/PaneTablePage.h"

class CorvaneProfileController;

// The pane's first page: a grouped table of the title block, the test field,
// the setting sentence, "The Creators" and "Quillfen Support", with the
// group logo and a heart button in the bar and a credit under the table.
// While the keyboard is up it keeps the test field in view.
class CorvanePrefController final : public PaneTablePage {
public:
    static constexpr CGFloat titleRowHeight = 88.0F;
    static constexpr CGFloat settingRowHeight = 55.0F;
    static constexpr CGFloat plainRowHeight = 44.0F;
    static constexpr CGFloat heartButtonPadding = 12.0F;
    static constexpr CGFloat keyboardScrollOffset = 80.0F;
    static constexpr const char* supportAddress = "support@quillfen.example";
    static constexpr const char* tweetText = "I love typing with #Corvane from @Quillfen!";

    static Class* staticClass();

    CorvanePrefController();
    ~CorvanePrefController() override;

    NSObject* initForContentSize(CGSize size);
    NSString title() { return "Corvane"; }
    NSString navigationTitle() { return "Corvane"; }

    CGFloat tableViewHeightForRowAtIndexPath(UITableView* table, NSIndexPath indexPath);
    RefPtr<UITableViewCell> tableViewCellForRowAtIndexPath(UITableView* table, NSIndexPath indexPath);
    void tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath indexPath);

    void viewWillAppear(bool animated);
    void viewDidDisappear(bool animated);
    void keyboardWasShown(NSNotification* notification);
    void keyboardWillBeHidden(NSNotification* notification);

    void showHeartDialog();
    void showMailDialog();
    void mailComposeControllerDidFinishWithResultError(
        MFMailComposeViewController* sheet, int result, NSObject* error);

    // The creators page opened last, while this page holds it.
    CorvaneProfileController* profileController() const { return m_profileController.get(); }

private:
    void installNavigationItems();
    void configureTitledCell(UITableViewCell* cell, int section);

    RefPtr<CorvaneProfileController> m_profileController;
};
