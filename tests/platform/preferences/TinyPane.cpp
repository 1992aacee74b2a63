// A preference bundle's executable at its smallest: one page class that the
// Settings host finds by name once the library is loaded.
#include "platform/preferences/PSViewController.h"
#include "platform/uikit/UITableView.h"

namespace {

class TinyPaneController final : public PSViewController {
public:
    static Class* staticClass()
    {
        static Class* cls = [] {
            Class* created = objc_allocateClass("TinyPaneController", PSViewController::staticClass());
            addAllocator<TinyPaneController>(created);
            addMethod<&TinyPaneController::initForContentSize>(created, sel::initForContentSize);
            addMethod<&TinyPaneController::pageView>(created, sel::view);
            addMethod<&TinyPaneController::tableView>(created, sel::table);
            addMethod<&TinyPaneController::name>(created, sel::title);
            addMethod<&TinyPaneController::name>(created, sel::navigationTitle);
            return created;
        }();
        return cls;
    }
    TinyPaneController()
        : PSViewController(staticClass())
    {
    }

    NSObject* initForContentSize(CGSize size)
    {
        if (!PSViewController::initForContentSizeImpl(size))
            return nullptr;
        m_table = UITableView::make({ { 0, 0 }, size }, UITableViewStyleGrouped);
        return this;
    }
    UITableView* tableView() { return m_table.get(); }
    UIView* pageView() { return m_table.get(); }
    NSString name() { return "Tiny"; }

private:
    RefPtr<UITableView> m_table;
};

// Registered when the library is loaded, as a bundle's classes are.
[[maybe_unused]] const bool registered = (TinyPaneController::staticClass(), true);

} // namespace
