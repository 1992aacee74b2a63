#include "settings/PaneTablePage.h"

#include "settings/CorvanePrefSelectors.h"
#include "settings/PrefsHelper.h"
#include "settings/SuperMessage.h"

Class* PaneTablePage::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("PaneTablePage", PSViewController::staticClass());
        created->addIvar("_tableView",
            [](NSObject* object) -> void* { return static_cast<PaneTablePage*>(object)->m_tableView.get(); });
        created->addIvar("items",
            [](NSObject* object) -> void* { return static_cast<PaneTablePage*>(object)->m_items.get(); });
        addMethod<&PaneTablePage::view>(created, sel::view);
        addMethod<&PaneTablePage::table>(created, sel::table);
        addMethod<&PaneTablePage::preferences>(created, sel::preferences);
        addMethod<&PaneTablePage::contentSize>(created, sel::contentSize);
        addMethod<&PaneTablePage::numberOfSectionsInTableView>(created, sel::numberOfSectionsInTableView);
        addMethod<&PaneTablePage::tableViewNumberOfRowsInSection>(
            created, sel::tableViewNumberOfRowsInSection);
        addMethod<&PaneTablePage::tableViewTitleForHeaderInSection>(
            created, sel::tableViewTitleForHeaderInSection);
        return created;
    }();
    return cls;
}

PaneTablePage::PaneTablePage(Class* cls)
    : PSViewController(cls)
{
}

// A view hierarchy may still hold the table; it is left without a data
// source or delegate rather than pointing at a page that is gone.
PaneTablePage::~PaneTablePage()
{
    if (m_tableView) {
        m_tableView->setDelegate(nullptr);
        m_tableView->setDataSource(nullptr);
    }
}

bool PaneTablePage::initTablePageForContentSize(CGSize size)
{
    Class* base = PSViewController::staticClass();
    NSObject* initialised = base->instancesRespondToSelector(sel::initForContentSize.id())
        ? sendSuper(base, this, sel::initForContentSize, size)
        : sendSuper(base, this, sel::init);
    if (!initialised)
        return false;

    m_tableView = UITableView::make(CGRectMake(0, 0, size.width, size.height), UITableViewStyleGrouped);
    m_tableView->setDataSource(this);
    m_tableView->setDelegate(this);
    m_tableView->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight
        | UIViewAutoresizingFlexibleTopMargin);
    setView(m_tableView);
    return true;
}

RefPtr<UIImage> PaneTablePage::paneImage(const NSString& name)
{
    return send(send(PrefsHelper::staticClass(), sel::sharedHelper), sel::ownImageNamed, name);
}

CGSize PaneTablePage::contentSize()
{
    return m_tableView ? m_tableView->frame().size : CGSizeZero;
}

int PaneTablePage::numberOfSectionsInTableView(UITableView*)
{
    return static_cast<int>(m_items->count());
}

int PaneTablePage::tableViewNumberOfRowsInSection(UITableView*, int)
{
    return 1;
}

NSString PaneTablePage::tableViewTitleForHeaderInSection(UITableView*, int)
{
    return NSString();
}
