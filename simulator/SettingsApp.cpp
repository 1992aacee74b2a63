#include "simulator/SettingsApp.h"

#include "platform/preferences/SettingsHost.h"
#include "platform/uikit/UITextField.h"

namespace {

UITextField* firstTextField(UIView* view)
{
    if (!view || view->isHidden())
        return nullptr;
    if (auto* field = runtimeCast<UITextField>(view))
        return field;
    for (std::size_t index = 0; index < view->subviews()->count(); ++index) {
        if (UITextField* field = firstTextField(view->subviewAtIndex(index)))
            return field;
    }
    return nullptr;
}

} // namespace

ErrorOr<std::unique_ptr<HostApp>> SettingsApp::open(CGRect screenBounds)
{
    auto host = std::make_unique<SettingsHost>(screenBounds.size);
    std::vector<std::string> problems = host->loadPanes();
    if (!host->openPane(paneLabel)) {
        std::string reason = problems.empty()
            ? "the device root has no entry for it in " + std::string(SettingsHost::entriesFolder)
            : problems.front();
        return Error { "Settings could not open the Corvane pane: " + reason };
    }
    return std::unique_ptr<HostApp>(std::make_unique<SettingsApp>(std::move(host)));
}

SettingsApp::SettingsApp(std::unique_ptr<SettingsHost> host)
    : m_host(std::move(host))
{
}

SettingsApp::~SettingsApp() = default;

UIWindow* SettingsApp::window() const
{
    return m_host->window();
}

UITextField* SettingsApp::textField() const
{
    if (auto* responder = runtimeCast<UITextField>(window()->firstResponder()))
        return responder;
    return firstTextField(window());
}

void SettingsApp::setScreenBounds(CGRect bounds)
{
    window()->setFrame(bounds);
    window()->setNeedsLayout();
    window()->setNeedsDisplay();
}

ErrorOr<void> SettingsApp::goBack()
{
    if (!m_host->back())
        return Error { "Settings is on its first page" };
    return {};
}
