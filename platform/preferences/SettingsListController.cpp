#include "platform/preferences/SettingsListController.h"

#include "platform/runtime/NSException.h"

Class* SettingsListController::staticClass()
{
    static Class* cls = [] {
        Class* created = objc_allocateClass("SettingsListController", PSViewController::staticClass());
        addAllocator<SettingsListController>(created);
        addMethod<&SettingsListController::viewImpl>(created, sel::view);
        addMethod<&SettingsListController::tableImpl>(created, sel::table);
        addMethod<&SettingsListController::titleImpl>(created, sel::title);
        addMethod<&SettingsListController::numberOfSections>(created, sel::numberOfSectionsInTableView);
        addMethod<&SettingsListController::numberOfRows>(created, sel::tableViewNumberOfRowsInSection);
        addMethod<&SettingsListController::cellForRow>(created, sel::tableViewCellForRowAtIndexPath);
        addMethod<&SettingsListController::didSelectRow>(created, sel::tableViewDidSelectRowAtIndexPath);
        return created;
    }();
    return cls;
}

SettingsListController::SettingsListController()
    : PSViewController(staticClass())
{
}

UITableView* SettingsListController::tableView()
{
    if (!m_table) {
        m_table = UITableView::make({ { 0, 0 }, send(this, sel::contentSize) }, UITableViewStyleGrouped);
        m_table->setAutoresizingMask(UIViewAutoresizingFlexibleWidth | UIViewAutoresizingFlexibleHeight);
        m_table->setDataSource(this);
        m_table->setDelegate(this);
    }
    return m_table.get();
}

UIView* SettingsListController::viewImpl()
{
    return tableView();
}

void SettingsListController::setPanes(std::vector<SettingsPaneEntry> panes)
{
    m_panes = std::move(panes);
    tableView()->reloadData();
}

RefPtr<UITableViewCell> SettingsListController::cellForRow(UITableView* table, NSIndexPath indexPath)
{
    RefPtr<UITableViewCell> cell = table->dequeueReusableCellWithIdentifier("PSLinkCell");
    if (!cell)
        cell = UITableViewCell::make(UITableViewCellStyleDefault, "PSLinkCell");
    const SettingsPaneEntry& pane = m_panes[indexPath.row];
    cell->textLabel()->setText(pane.label);
    cell->imageView()->setImage(pane.icon);
    cell->setAccessoryType(UITableViewCellAccessoryDisclosureIndicator);
    return cell;
}

void SettingsListController::didSelectRow(UITableView* table, NSIndexPath indexPath)
{
    table->deselectRowAtIndexPathAnimated(indexPath, true);
    openPane(static_cast<std::size_t>(indexPath.row));
}

bool SettingsListController::openPane(std::size_t index)
{
    m_lastError.clear();
    if (index >= m_panes.size()) {
        m_lastError = "no pane at that row";
        return false;
    }
    const SettingsPaneEntry& pane = m_panes[index];
    // A page that cannot be made is reported, not thrown into the run loop.
    try {
        RefPtr<NSObject> page = send(pane.principalClass, sel::alloc);
        NSObject* ready = send(page.get(), sel::initForContentSize, send(this, sel::contentSize));
        if (!ready || !runtimeCast<UIViewController>(ready)) {
            m_lastError = "the pane's page could not be made";
            return false;
        }
        m_openedPage = ready;
        send(this, sel::pushController, ready);
    } catch (const NSException& exception) {
        m_lastError = exception.reason();
        return false;
    }
    return true;
}
