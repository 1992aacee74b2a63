#include "settings/CorvaneProfileController.h"

#include "platform/uikit/NSObjectAllocation.h"
#include "platform/uikit/NSURL.h"
#include "platform/uikit/UIApplication.h"
#include "settings/CorvaneCreators.h"
#include "settings/CorvanePrefSelectors.h"
#include "settings/CorvaneTableViewCellProfile.h"
#include "settings/CreditFooterLabel.h"
#include "settings/PrefsHelper.h"
#include "settings/SuperMessage.h"

namespace {

constexpr int followSection = 2;

RefPtr<UIImage> paneImage(const NSString& name)
{
    return send(send(PrefsHelper::staticClass(), sel::sharedHelper), sel::ownImageNamed, name);
}

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
        Class* created = objc_allocateClass("CorvaneProfileController", PSViewController::staticClass());
        addAllocator<CorvaneProfileController>(created);
        created->addIvar("_tableView", [](NSObject* object) -> void* {
            return static_cast<CorvaneProfileController*>(object)->m_tableView.get();
        });
        created->addIvar("items", [](NSObject* object) -> void* {
            return static_cast<CorvaneProfileController*>(object)->m_items.get();
        });
        created->addIvar("handles", [](NSObject* object) -> void* {
            return static_cast<CorvaneProfileController*>(object)->m_handles.get();
        });
        addMethod<&CorvaneProfileController::initForContentSize>(created, sel::initForContentSize);
        addMethod<&CorvaneProfileController::view>(created, sel::view);
        addMethod<&CorvaneProfileController::table>(created, sel::table);
        addMethod<&CorvaneProfileController::title>(created, sel::title);
        addMethod<&CorvaneProfileController::navigationTitle>(created, sel::navigationTitle);
        addMethod<&CorvaneProfileController::preferences>(created, sel::preferences);
        addMethod<&CorvaneProfileController::contentSize>(created, sel::contentSize);
        addMethod<&CorvaneProfileController::numberOfSectionsInTableView>(
            created, sel::numberOfSectionsInTableView);
        addMethod<&CorvaneProfileController::tableViewNumberOfRowsInSection>(
            created, sel::tableViewNumberOfRowsInSection);
        addMethod<&CorvaneProfileController::tableViewTitleForHeaderInSection>(
            created, sel::tableViewTitleForHeaderInSection);
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
    : PSViewController(staticClass())
{
}

CorvaneProfileController::~CorvaneProfileController()
{
    if (m_tableView) {
        m_tableView->setDelegate(nullptr);
        m_tableView->setDataSource(nullptr);
    }
}

NSObject* CorvaneProfileController::initForContentSize(CGSize size)
{
    Class* base = PSViewController::staticClass();
    NSObject* initialised = base->instancesRespondToSelector(sel::initForContentSize.id())
        ? sendSuper(base, this, sel::initForContentSize, size)
        : sendSuper(base, this, sel::init);
    if (!initialised)
        return nullptr;

    m_tableView = UITableView::make(CGRectMake(0, 0, size.width, size.height), UITableViewStyleGrouped);
    m_tableView->setDataSource(this);
    m_tableView->setDelegate(this);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleTopMargin
        | UIViewAutoresizingFlexibleHeight);

    m_items = NSMutableArray::arrayWithValues(
        { corvaneDesigner.displayName, corvaneDeveloper.displayName, "Follow Quillfen" });
    m_handles = NSMutableArray::arrayWithValues({ corvaneDesigner.handle, corvaneDeveloper.handle });

    m_tableView->setTableFooterView(makeCreditFooterLabel().get());
    setView(m_tableView.get());
    return this;
}

CGSize CorvaneProfileController::contentSize()
{
    return m_tableView ? m_tableView->frame().size : CGSizeZero;
}

int CorvaneProfileController::numberOfSectionsInTableView(UITableView*)
{
    return static_cast<int>(m_items->count());
}

int CorvaneProfileController::tableViewNumberOfRowsInSection(UITableView*, int)
{
    return 1;
}

NSString CorvaneProfileController::tableViewTitleForHeaderInSection(UITableView*, int)
{
    return NSString();
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
        cell->imageView()->setImage(paneImage("FollowQuillfen.png").get());
        auto bird
            = UIImageView::make(paneImage("Twitter.png").get(), paneImage("TwitterHighlighted.png").get());
        cell->setAccessoryView(bird.get());
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
