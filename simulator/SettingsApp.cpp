#include "simulator/SettingsApp.h"

#include "platform/preferences/SettingsHost.h"
#include "platform/uikit/UITextField.h"

#include <cstdio>

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

std::unique_ptr<HostApp> SettingsApp::open(CGRect screenBounds)
{
    auto host = std::make_unique<SettingsHost>(screenBounds.size);
    std::vector<std::string> problems = host->loadPanes();
    if (!host->openPane(paneLabel)) {
        // Settings still runs, on its own list, as it would on a device without the pane.
        std::string reason = problems.empty() ? "the device root has no entry for it in "
                + std::string(SettingsHost::entriesFolder) + " (cmake --install lays one out)"
                                              : problems.front();
        std::fprintf(
            stderr, "corvane-sim: warning: Settings could not open the Corvane pane: %s\n", reason.c_str());
    }
    return std::make_unique<SettingsApp>(std::move(host));
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
