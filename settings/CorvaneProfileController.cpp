#include "settings/CorvaneProfileController.h"

#include "platform/uikit/NSObjectAllocation.h"
#include "platform/uikit/NSURL.h"
#include "platform/uikit/UIApplication.h"
#include "settings/CorvaneCreators.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneTableViewCellProfile.h"
#include "settings/CreditFooterLabel.h"

namespace {

constexpr int followSection = 2;

// "(@name)" as shown becomes the bare "name" of the web address.
NSString bareHandle(const NSString& shown)
{
    return shown.stringByReplacingOccurrencesOfString("(", "")
        .stringByReplacingOccurrencesOfString(")", "")
        .stringByReplacingOccurrencesOfString("@", "");
}

} // namespace

Class* CorvaneProfileController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("CorvaneProfileController", PaneTablePage::staticClass());
        addAllocator<CorvaneProfileController>(created);
        created->addIvar("handles", [](NSObject* object) -> void* {
            return static_cast<CorvaneProfileController*>(object)->m_handles.get();
        });
        addMethod<&CorvaneProfileController::initForContentSize>(created, sel::initForContentSize);
        addMethod<&CorvaneProfileController::title>(created, sel::title);
        addMethod<&CorvaneProfileController::navigationTitle>(created, sel::navigationTitle);
        addMethod<&CorvaneProfileController::tableViewHeightForRowAtIndexPath>(
            created, sel::tableViewHeightForRowAtIndexPath);
        addMethod<&CorvaneProfileController::tableViewCellForRowAtIndexPath>(
            created, sel::tableViewCellForRowAtIndexPath);
        addMethod<&CorvaneProfileController::tableViewDidSelectRowAtIndexPath>(
            created, sel::tableViewDidSelectRowAtIndexPath);
        addMethod<&CorvaneProfileController::removeDashinStringReplaceWith>(
            created, sel::removeDashinStringReplaceWith);
        return created;
    }();
    return cls;
}

CorvaneProfileController::CorvaneProfileController()
    : PaneTablePage(staticClass())
{
}

NSObject* CorvaneProfileController::initForContentSize(CGSize size)
{
    if (!initTablePageForContentSize(size))
        return nullptr;

    m_items = NSMutableArray::arrayWithValues(
        { corvaneDesigner.displayName, corvaneDeveloper.displayName, "Follow Quillfen" });
    m_handles = NSMutableArray::arrayWithValues({ corvaneDesigner.handle, corvaneDeveloper.handle });

    m_tableView->setTableFooterView(makeCreditFooterLabel());
    return this;
}

CGFloat CorvaneProfileController::tableViewHeightForRowAtIndexPath(UITableView*, NSIndexPath indexPath)
{
    return indexPath.section < followSection ? profileRowHeight : followRowHeight;
}

RefPtr<UITableViewCell> CorvaneProfileController::tableViewCellForRowAtIndexPath(
    UITableView* table, NSIndexPath indexPath)
{
    int section = indexPath.section;
    NSString identifier = section < followSection ? "Profile" : "Cell";
    RefPtr<UITableViewCell> cell = table->dequeueReusableCellWithIdentifier(identifier);
    if (!cell) {
        if (section < followSection)
            cell = CorvaneTableViewCellProfile::make(UITableViewCellStyleDefault, identifier);
        else
            cell = UITableViewCell::make(UITableViewCellStyleDefault, identifier);
    }
    if (section < followSection) {
        send(cell.get(), sel::setNameAndHandle, m_items->objectAtIndex(section).string(),
            m_handles->objectAtIndex(section).string());
    } else if (section == followSection) {
        cell->textLabel()->setText(m_items->objectAtIndex(followSection).string());
        cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
        cell->imageView()->setImage(paneImage("FollowQuillfen.png"));
        auto bird = UIImageView::make(paneImage("Twitter.png"), paneImage("TwitterHighlighted.png"));
        cell->setAccessoryView(bird);
    }
    return cell;
}

void CorvaneProfileController::tableViewDidSelectRowAtIndexPath(UITableView* table, NSIndexPath indexPath)
{
    table->deselectRowAtIndexPathAnimated(indexPath, true);
    int section = indexPath.section;
    if (section > followSection)
        return;
    NSString shown = section < followSection ? m_handles->objectAtIndex(section).string() : quillfenHandle;
    NSURL address
        = NSURL::URLWithString(NSString::stringWithFormat(profileAddressFormat, { bareHandle(shown) }));
    UIApplication::sharedApplication()->openURL(address);
}

NSString CorvaneProfileController::removeDashinStringReplaceWith(NSString string, NSString replacement)
{
    return string.stringByReplacingOccurrencesOfString("-", replacement);
}
