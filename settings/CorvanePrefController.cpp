#include "settings/CorvanePrefController.h"

#include "platform/foundation/NSNotificationCenter.h"
#include "platform/social/TWTweetComposeViewController.h"
#include "platform/uikit/NSObjectAllocation.h"
#include "platform/uikit/NSValue.h"
#include "platform/uikit/UIAlertView.h"
#include "platform/uikit/UIBarButtonItem.h"
#include "platform/uikit/UIKeyboardNotifications.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneProfileController.h"
#include "settings/CorvaneTableViewCellSetting.h"
#include "settings/CorvaneTableViewCellTextField.h"
#include "settings/CorvaneTableViewCellTransparentSubtitle.h"
#include "settings/CreditFooterLabel.h"
#include "settings/SuperMessage.h"

namespace {

enum Section {
    TitleSection = 0,
    TextFieldSection = 1,
    SettingSection = 2,
    CreatorsSection = 3,
    SupportSection = 4
};

// A row's images are named after its text, without spaces and with "³" as "3".
NSString imageBaseName(const NSString& rowText)
{
    return rowText.stringByReplacingOccurrencesOfString(" ", "").stringByReplacingOccurrencesOfString(
        "\xC2\xB3", "3");
}

} // namespace

Class* CorvanePrefController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("CorvanePrefController", PaneTablePage::staticClass());
        addAllocator<CorvanePrefController>(created);
        created->addIvar("profileController", [](NSObject* object) -> void* {
            return static_cast<CorvanePrefController*>(object)->m_profileController.get();
        });
        addMethod<&CorvanePrefController::initForContentSize>(created, sel::initForContentSize);
        addMethod<&CorvanePrefController::title>(created, sel::title);
        addMethod<&CorvanePrefController::navigationTitle>(created, sel::navigationTitle);
        addMethod<&CorvanePrefController::tableViewHeightForRowAtIndexPath>(
            created, sel::tableViewHeightForRowAtIndexPath);
        addMethod<&CorvanePrefController::tableViewCellForRowAtIndexPath>(
            created, sel::tableViewCellForRowAtIndexPath);
        addMethod<&CorvanePrefController::tableViewDidSelectRowAtIndexPath>(
            created, sel::tableViewDidSelectRowAtIndexPath);
        addMethod<&CorvanePrefController::viewWillAppear>(created, sel::viewWillAppear);
        addMethod<&CorvanePrefController::viewDidDisappear>(created, sel::viewDidDisappear);
        addMethod<&CorvanePrefController::keyboardWasShown>(created, sel::keyboardWasShown);
        addMethod<&CorvanePrefController::keyboardWillBeHidden>(created, sel::keyboardWillBeHidden);
        addMethod<&CorvanePrefController::showHeartDialog>(created, sel::showHeartDialog);
        addMethod<&CorvanePrefController::showMailDialog>(created, sel::showMailDialog);
        addMethod<&CorvanePrefController::mailComposeControllerDidFinishWithResultError>(
            created, sel::mailComposeControllerDidFinishWithResultError);
        return created;
    }();
    return cls;
}

CorvanePrefController::CorvanePrefController()
    : PaneTablePage(staticClass())
{
}

CorvanePrefController::~CorvanePrefController()
{
    NSNotificationCenter::defaultCenter()->removeObserver(this);
}

NSObject* CorvanePrefController::initForContentSize(CGSize size)
{
    if (!initTablePageForContentSize(size))
        return nullptr;

    m_items = NSMutableArray::arrayWithValues({ "Corvane", "", "", "The Creators", "Quillfen Support" });
    installNavigationItems();
    m_tableView->setTableFooterView(makeCreditFooterLabel());
    return this;
}

// The group logo stands in for a text title; the heart at the right shares.
void CorvanePrefController::installNavigationItems()
{
    UINavigationItem* item = navigationItem();
    item->setTitleView(UIImageView::make(paneImage("GroupLogo.png")));

    RefPtr<UIImage> heart = paneImage("Heart.png");
    CGSize heartSize = heart ? heart->size() : CGSizeZero;
    auto button = UIButton::make(CGRectMake(0, 0, heartSize.width + heartButtonPadding, heartSize.height));
    button->setImageForState(heart, UIControlStateNormal);
    button->addTargetActionForControlEvents(this, sel::showHeartDialog, UIControlEventTouchUpInside);
    item->setRightBarButtonItem(UIBarButtonItem::make(button));
}

CGFloat CorvanePrefController::tableViewHeightForRowAtIndexPath(UITableView*, NSIndexPath indexPath)
{
    if (indexPath.section == TitleSection)
        return titleRowHeight;
    if (indexPath.section == SettingSection)
        return settingRowHeight;
    return plainRowHeight;
}

RefPtr<UITableViewCell> CorvanePrefController::tableViewCellForRowAtIndexPath(
    UITableView* table, NSIndexPath indexPath)
{
    int section = indexPath.section;
    NSString identifier = section == TitleSection ? "TitleCell"
        : section == TextFieldSection             ? "TextFieldCell"
        : section == SettingSection               ? "SettingCell"
                                                  : "Cell";
    RefPtr<UITableViewCell> cell = table->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) {
        if (section == TitleSection)
            cell = CorvaneTableViewCellTransparentSubtitle::make(UITableViewCellStyleDefault, identifier);
        else if (section == TextFieldSection)
            cell = CorvaneTableViewCellTextField::make(UITableViewCellStyleDefault, identifier);
        else if (section == SettingSection)
            cell = CorvaneTableViewCellSetting::make(UITableViewCellStyleDefault, identifier);
        else
            cell = UITableViewCell::make(UITableViewCellStyleDefault, identifier);
    }
    if (section == TextFieldSection || section == SettingSection)
        return cell;
    configureTitledCell(cell.get(), section);
    return cell;
}

void CorvanePrefController::configureTitledCell(UITableViewCell* cell, int section)
{
    if (!cell)
        return;
    NSString text = m_items->objectAtIndex(static_cast<std::size_t>(section)).string();
    cell->textLabel()->setText(text);
    NSString base = imageBaseName(text);
    cell->imageView()->setImage(paneImage(NSString::stringWithFormat("%@.png", { base })));
    cell->imageView()->setHighlightedImage(
        paneImage(NSString::stringWithFormat("%@Highlighted.png", { base })));
    cell->setAccessoryType(section > TextFieldSection ? UITableViewCellAccessoryDisclosureIndicator
                                                      : UITableViewCellAccessoryNone);
}

// Each visit to the creators makes a fresh page; the one before is let go.
void CorvanePrefController::tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath indexPath)
{
    table->deselectRowAtIndexPathAnimated(indexPath, true);
    if (indexPath.section == CreatorsSection) {
        m_profileController = nullptr;
        RefPtr<NSObject> page = send(CorvaneProfileController::staticClass(), sel::alloc);
        if (!send(page.get(), sel::initForContentSize, send(this, sel::contentSize)))
            return;
        m_profileController = RefPtr(runtimeCast<CorvaneProfileController>(page.get()));
        send(page.get(), sel::setRootController, this);
        send(send(this, sel::parentController), sel::pushController, page.get());
    } else if (indexPath.section == SupportSection) {
        send(this, sel::showMailDialog);
    }
}

void CorvanePrefController::viewWillAppear(bool animated)
{
    sendSuper(PaneTablePage::staticClass(), this, sel::viewWillAppear, animated);
    NSNotificationCenter* center = NSNotificationCenter::defaultCenter();
    center->removeObserver(this);
    center->addObserver(this, sel::keyboardWasShown, UIKeyboardDidShowNotification, nullptr);
    center->addObserver(this, sel::keyboardWillBeHidden, UIKeyboardWillHideNotification, nullptr);
}

void CorvanePrefController::viewDidDisappear(bool animated)
{
    sendSuper(PaneTablePage::staticClass(), this, sel::viewDidDisappear, animated);
    m_tableView->endEditing(true);
    NSNotificationCenter::defaultCenter()->removeObserver(this);
}

void CorvanePrefController::keyboardWasShown(NSNotification* notification)
{
    NSMutableDictionary* info = notification ? notification->userInfo() : nullptr;
    auto* frame
        = info ? runtimeCast<NSValue>(info->objectForKey(UIKeyboardFrameBeginUserInfoKey).object()) : nullptr;
    CGFloat height = frame ? frame->CGRectValue().height() : 0;
    UIEdgeInsets insets { 0, 0, height, 0 };
    m_tableView->setContentInset(insets);
    m_tableView->setScrollIndicatorInsets(insets);
    m_tableView->setContentOffsetAnimated(CGPointMake(0, keyboardScrollOffset), true);
}

void CorvanePrefController::keyboardWillBeHidden(NSNotification*)
{
    m_tableView->setContentInset(UIEdgeInsets {});
    m_tableView->setScrollIndicatorInsets(UIEdgeInsets {});
}

// Where tweeting is impossible, or the framework is missing altogether, the
// heart does nothing.
void CorvanePrefController::showHeartDialog()
{
    Class* sheetClass = objc_getClass("TWTweetComposeViewController");
    if (!send(sheetClass, sel::canSendTweet))
        return;
    RefPtr<NSObject> sheet = send(sheetClass, sel::alloc);
    send(sheet.get(), sel::init);
    // The handler holds the page's one reference and lets it go once the
    // sheet has been dismissed, whatever the user did.
    send(sheet.get(), sel::setCompletionHandler, std::function<void(int)>([held = sheet](int) mutable {
        send(held.get(), sel::dismissModalViewControllerAnimated, true);
        held = nullptr;
    }));
    send(sheet.get(), sel::setInitialText, NSString(tweetText));
    send(this, sel::presentViewControllerAnimatedCompletion, runtimeCast<UIViewController>(sheet.get()), true,
        std::function<void()>());
}

void CorvanePrefController::showMailDialog()
{
    Class* sheetClass = MFMailComposeViewController::staticClass();
    if (send(sheetClass, sel::canSendMail)) {
        RefPtr<NSObject> sheet = send(sheetClass, sel::alloc);
        send(sheet.get(), sel::init);
        send(sheet.get(), sel::setMailComposeDelegate, this);
        send(sheet.get(), sel::setSubject, NSString("Corvane Support"));
        send(sheet.get(), sel::setToRecipients, NSMutableArray::arrayWithValues({ supportAddress }).get());
        send(this, sel::presentModalViewControllerAnimated, runtimeCast<UIViewController>(sheet.get()), true);
        return;
    }
    auto alert = UIAlertView::make("Cannot send mail",
        "As you don't have any mail accounts setup, you can't send a support email", nullptr, "Dismiss", {});
    alert->show();
}

void CorvanePrefController::mailComposeControllerDidFinishWithResultError(
    MFMailComposeViewController*, int, NSObject*)
{
    send(this, sel::dismissModalViewControllerAnimated, true);
}
