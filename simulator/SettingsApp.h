#pragma once

#include "simulator/HostApp.h"

#include <memory>

class SettingsHost;

// The Settings application with the Corvane pane open, as a person finds it
// after tapping the pane's row; its own list of panes is one `back` away.
class SettingsApp final : public HostApp {
public:
    // Opens the pane; an error says why it cannot (not installed, or it fails
    // to load), for Settings without the pane is not what a script is about.
    static ErrorOr<std::unique_ptr<HostApp>> open(CGRect screenBounds);

    explicit SettingsApp(std::unique_ptr<SettingsHost> host);
    ~SettingsApp() override;

    UIWindow* window() const override;
    // The first text field of the page on top (the pane's test field).
    UITextField* textField() const override;
    void setScreenBounds(CGRect bounds) override;
    ErrorOr<void> goBack() override;

    static constexpr const char* paneLabel = "Corvane";

private:
    std::unique_ptr<SettingsHost> m_host;
};
